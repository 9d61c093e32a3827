// The calendar's layout and colours on a picture whose text metrics are known:
// each character is size * 10 twips wide, every text size * 20 twips high.
#include "logic/cCaleSet.h"
#include "fake_picture.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace mb::schedit {
namespace {

using test::FakeControl;
using test::FakeHost;
using test::FakePicture;

constexpr Colour kBlack = Rgb(0, 0, 0), kRed = Rgb(255, 0, 0), kBlue = Rgb(0, 0, 255);
constexpr Colour kMagenta = Rgb(255, 0, 255), kShadow = Rgb(192, 192, 192);

class CaleSetTest : public ::testing::Test {
protected:
    CaleSetTest() : cale_(host_) {}

    // A picture of 600 x 400 pixels, and a grid area whose cells are 1000 twips square.
    void SetUpGrid() {
        cale_.Picture(picture_);
        cale_.AreaLeft(0);
        cale_.AreaRight(8000);
        cale_.AreaTop(0);
        cale_.AreaBottom(7000);
    }

    void Draw(Date d) {
        picture_.prints.clear();
        cale_.Create(d);
    }

    // The last print of `text` that is not a shadow.
    std::optional<FakePicture::Drawn> Printed(const std::string& text) const {
        std::optional<FakePicture::Drawn> found;
        for (const auto& p : picture_.prints)
            if (p.text == text && p.colour != kShadow) found = p;
        return found;
    }

    static std::string DayText(int c) { return c < 10 ? " " + std::to_string(c) : std::to_string(c); }

    Colour DayColour(int c) const {
        auto p = Printed(DayText(c));
        return p ? p->colour : 0xFFFFFFFF;
    }

    int DayPrints() const {
        int n = 0;
        for (const auto& p : picture_.prints)
            if (p.colour != kShadow && p.text.size() == 2 && p.text[1] >= '0' && p.text[1] <= '9') ++n;
        return n;
    }

    FakeHost host_;
    FakePicture picture_{600, 400};
    cCaleSet cale_;
};

// ---- Layout ------------------------------------------------------------------

struct MonthCase {
    const char* name;
    Date first;
    int lead;  // empty cells before the 1st
    int days;
    int lastRow;  // week row of the last day, from 0
};

class MonthLayoutTest : public CaleSetTest, public ::testing::WithParamInterface<MonthCase> {};

// Columns are centred at AreaLeft + k * cellW (k = 1..7), week rows one cellH apart
// below the weekday row. With cells of 1000 twips the day font is 33.3 points, so
// a two-character day number is 667 twips square and half of it is 333.
TEST_P(MonthLayoutTest, DaysInTheirCells) {
    const MonthCase& c = GetParam();
    SetUpGrid();
    cale_.Holydays(std::string(31, '0'));
    Draw(c.first);
    EXPECT_EQ(DayPrints(), c.days);
    auto expectAt = [&](int day, int column, int row) {
        const auto p = Printed(DayText(day));
        ASSERT_TRUE(p) << day;
        EXPECT_EQ(p->x, 1000.0 * (column + 1) - 333) << day;
        EXPECT_EQ(p->y, 1000.0 * (row + 1) - 333) << day;
        EXPECT_EQ(cale_.DayPosX(day), p->x);
        EXPECT_EQ(cale_.DayPosY(day), p->y);
    };
    expectAt(1, c.lead, 0);
    expectAt(c.days, (c.lead + c.days - 1) % 7, c.lastRow);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Months, MonthLayoutTest, ::testing::Values(
    MonthCase{"StartsOnSunday", {2026, 2, 1}, 0, 28, 3},
    MonthCase{"StartsOnSaturday", {2025, 11, 1}, 6, 30, 5},
    MonthCase{"ThirtyOneDaysFromFriday", {2026, 5, 1}, 5, 31, 5},
    MonthCase{"February2000", {2000, 2, 1}, 2, 29, 4}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// One month after 31 January is clamped to February's end: counting the days that
// way would draw January with 28.
TEST_F(CaleSetTest, LateDayStillDrawsTheWholeMonth) {
    SetUpGrid();
    Draw({2026, 1, 31});
    EXPECT_EQ(DayPrints(), 31);
}

TEST_F(CaleSetTest, WeekdayRowCentredOnTheAreaTopInItsColours) {
    SetUpGrid();
    Draw({2026, 5, 1});
    const char* names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const Colour colours[] = {kRed, kBlack, kBlack, kBlack, kBlack, kBlack, kBlue};
    // Weekday font: 1000 / 45 points; "Sun" is 667 twips wide and 444 high.
    for (int i = 0; i < 7; ++i) {
        const auto p = Printed(names[i]);
        ASSERT_TRUE(p) << names[i];
        EXPECT_EQ(p->colour, colours[i]) << names[i];
        EXPECT_EQ(p->x, 1000.0 * (i + 1) - 333) << names[i];
        EXPECT_EQ(p->y, -222) << names[i];
        EXPECT_NEAR(p->font.size, 1000.0 / 45, 1e-9);
        EXPECT_TRUE(p->font.underline);
    }
}

TEST_F(CaleSetTest, WeekdayNameStyles) {
    struct Case {
        int typeWeek;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {1, {" S ", " M ", " T ", " W ", " T ", " F ", " S "}},
        {2, {" 日", " 月", " 火", " 水", " 木", " 金", " 土"}},
        {0, {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}},
        {5, {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}},
    };
    SetUpGrid();
    for (const Case& c : cases) {
        cale_.TypeWeek(c.typeWeek);
        Draw({2026, 5, 1});
        std::vector<std::string> drawn;
        for (const auto& p : picture_.prints)
            if (p.colour != kShadow && p.y < 0) drawn.push_back(p.text);
        EXPECT_EQ(drawn, c.names) << c.typeWeek;
    }
}

TEST_F(CaleSetTest, TitleInTheGridMovesTheGridOneRowDown) {
    cale_.Picture(picture_);
    cale_.AreaLeft(1500);
    cale_.AreaRight(9500);
    cale_.AreaTop(500);
    cale_.AreaBottom(7500);  // cellH = 7000 div 8 = 875
    cale_.YMFormat("_yyyy-mmmm");
    Draw({2026, 5, 1});
    std::vector<FakePicture::Drawn> titles;
    for (const auto& p : picture_.prints)
        if (p.text == "2026-5月") titles.push_back(p);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0].colour, kShadow);
    EXPECT_EQ(titles[0].x, 1545);
    EXPECT_EQ(titles[0].y, 530);
    EXPECT_EQ(titles[1].colour, Rgb(192, 0, 192));
    EXPECT_EQ(titles[1].x, 1500);
    EXPECT_EQ(titles[1].y, 500);
    EXPECT_NEAR(titles[1].font.size, 875.0 / 30, 1e-9);
    // Weekday row on 500 + 875; the 1st (a Friday) one row lower, in column 6.
    EXPECT_EQ(Printed("Sun")->y, 1375 - 194);
    EXPECT_EQ(Printed(" 1")->x, 1500 + 6 * 1000 - 291);
    EXPECT_EQ(Printed(" 1")->y, 1375 + 875 - 291);
}

TEST_F(CaleSetTest, TitleHeaderAndShadowsInTheirPlaces) {
    SetUpGrid();
    cale_.Header("見出し");
    cale_.Shade(1, false);
    Draw({2026, 5, 1});
    ASSERT_GE(picture_.prints.size(), 3u);
    const auto& shadow = picture_.prints[0];
    const auto& title = picture_.prints[1];
    EXPECT_EQ(shadow.text, "2026-5月");
    EXPECT_EQ(shadow.colour, kShadow);
    EXPECT_EQ(shadow.x, 45);
    EXPECT_EQ(shadow.y, 30);
    EXPECT_EQ(title.text, "2026-5月");
    EXPECT_EQ(title.colour, Rgb(192, 0, 192));
    EXPECT_EQ(title.x, 0);
    EXPECT_EQ(title.y, 0);
    EXPECT_EQ(title.font.name, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(title.font.bold);
    EXPECT_EQ(title.font.size, 18);
    const auto& header = picture_.prints[2];  // its shadow is off
    EXPECT_EQ(header.text, "見出し");
    EXPECT_EQ(header.colour, Rgb(0, 0, 192));
    EXPECT_EQ(header.y, 1500);  // picture height 6000 twips div 4
}

TEST_F(CaleSetTest, BigDayIsEnlargedAndTheOthersAreNot) {
    SetUpGrid();
    cale_.Big(true);
    Draw({2026, 5, 15});
    const double dayFont = 1000.0 / 30;
    EXPECT_NEAR(Printed("15")->font.size, 1.7 * dayFont, 1e-9);
    EXPECT_NEAR(Printed("14")->font.size, dayFont, 1e-9);
    EXPECT_NEAR(Printed("16")->font.size, dayFont, 1e-9);
    cale_.Big(false);
    Draw({2026, 5, 15});
    EXPECT_NEAR(Printed("15")->font.size, dayFont, 1e-9);
}

// ---- Colours -----------------------------------------------------------------

struct ColourCase {
    const char* name;
    const char* flags;                         // written to Holydays
    std::vector<std::pair<int, Colour>> days;  // day of February 2000 and its colour
};

class DayColourTest : public CaleSetTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(DayColourTest, February2000) {
    SetUpGrid();
    cale_.Holydays(GetParam().flags);
    Draw({2000, 2, 1});
    for (const auto& [day, colour] : GetParam().days) EXPECT_EQ(DayColour(day), colour) << "day " << day;
}

// 2000-02-01 Tuesday; 2 and 9 Wednesdays; 5 Saturday; 6 Sunday; 11 建国記念の日 (Friday).
const std::string kFlag2 = "01" + std::string(29, '0');
// clang-format off
INSTANTIATE_TEST_SUITE_P(Flags, DayColourTest, ::testing::Values(
    ColourCase{"ByWeekdayRulesAndFlag", kFlag2.c_str(),
               {{1, kBlack}, {2, kMagenta}, {9, kBlack}, {5, kBlue}, {6, kRed}, {11, kMagenta}}},
    ColourCase{"ShortFlagsArePaddedWithBlanks", "0",
               {{1, kBlack}, {2, kMagenta}, {5, kMagenta}, {6, kMagenta}, {29, kMagenta}}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(CaleSetTest, UnsetFlagsMarkEveryDay) {
    SetUpGrid();
    Draw({2000, 2, 1});
    for (int day = 1; day <= 29; ++day) EXPECT_EQ(DayColour(day), kMagenta) << day;
}

TEST_F(CaleSetTest, ColoursAndShadowsCanBeChanged) {
    SetUpGrid();
    cale_.Holydays(std::string(31, '0'));
    cale_.Color(3, Rgb(1, 2, 3));
    cale_.Shade(3, false);
    Draw({2000, 2, 1});
    EXPECT_EQ(DayColour(1), Rgb(1, 2, 3));
    for (const auto& p : picture_.prints) EXPECT_FALSE(p.colour == kShadow && p.text == " 1");
}

// ---- Messages and redrawing ----------------------------------------------------

TEST_F(CaleSetTest, MessageLinesStackAndStartLowerNextTime) {
    SetUpGrid();
    cale_.Message(0, "a");
    cale_.Message(1, "b");
    cale_.Message(2, "c");
    cale_.Message(1, "B");
    EXPECT_EQ(cale_.NextMessage(), 2);
    Draw({2026, 5, 1});
    // Font 2 is 18 points: lines are 360 twips high; the first starts at 1500 + 300.
    EXPECT_EQ(Printed("a")->y, 1800);
    EXPECT_EQ(Printed("B")->y, 2160);
    EXPECT_FALSE(Printed("b"));
    EXPECT_FALSE(Printed("c"));
    EXPECT_EQ(Printed("a")->colour, Rgb(0, 128, 0));
    Draw({});
    EXPECT_EQ(Printed("a")->y, 2520);
    EXPECT_EQ(cale_.PosY(2), 3240 / 15);
}

TEST_F(CaleSetTest, CreateSetsTheMonthOnlyForDaysAfter1990) {
    SetUpGrid();
    Draw({2026, 2, 1});
    const std::vector<FakePicture::Drawn> february = picture_.prints;
    Draw({});
    EXPECT_EQ(picture_.prints.size(), february.size());
    EXPECT_EQ(cale_.DefDay(), (Date{2026, 2, 1}));
    Draw({1990, 1, 1});
    EXPECT_EQ(cale_.DefDay(), (Date{2026, 2, 1}));
    Draw({1990, 1, 2});
    EXPECT_EQ(cale_.DefDay(), (Date{1990, 1, 2}));
    EXPECT_EQ(DayPrints(), 31);
}

// Days 29 to 31 keep the positions of an earlier, longer month.
TEST_F(CaleSetTest, MissingDaysKeepEarlierPositions) {
    SetUpGrid();
    Draw({2026, 5, 1});
    const float x31 = cale_.DayPosX(31), y31 = cale_.DayPosY(31);
    Draw({2026, 2, 1});
    EXPECT_EQ(cale_.DayPosX(31), x31);
    EXPECT_EQ(cale_.DayPosY(31), y31);
}

// ---- Properties, picture and errors --------------------------------------------

TEST_F(CaleSetTest, DefaultsBeforeAnyPicture) {
    EXPECT_EQ(cale_.DefDay(), host_.today);
    EXPECT_FALSE(cale_.Big());
    EXPECT_EQ(cale_.Holydays(), std::string(31, '\0'));
    EXPECT_EQ(cale_.NextMessage(), 0);
    EXPECT_EQ(cale_.AreaRight(), 0);
    EXPECT_EQ(cale_.PosY(1), 0);
    const Colour colours[] = {Rgb(192, 0, 192), Rgb(0, 0, 192), Rgb(0, 128, 0), kBlack, kRed, kBlue, kShadow, kMagenta};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(cale_.Color(i), colours[i]) << i;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(cale_.Shade(i));
        EXPECT_EQ(cale_.ShadeXY(i, 0), 3);
        EXPECT_EQ(cale_.ShadeXY(i, 1), 2);
        EXPECT_EQ(cale_.Font(i)->name, "ＭＳ Ｐゴシック");
        EXPECT_EQ(cale_.Font(i)->size, 18);
        EXPECT_TRUE(cale_.Font(i)->bold);
        EXPECT_EQ(cale_.Font(i)->underline, i == 3);
    }
    EXPECT_THROW(cale_.Create({2026, 5, 1}), std::logic_error);
}

TEST_F(CaleSetTest, SettingThePictureResetsTheLayout) {
    cale_.Font(0)->size = 30;
    cale_.Font(0)->italic = true;
    cale_.Color(7, 0);
    cale_.ShadeXY(2, 1, 9);
    cale_.Message(3, "x");
    cale_.Holydays("1");
    cale_.Picture(picture_);
    EXPECT_EQ(cale_.AreaLeft(), 4500);
    EXPECT_EQ(cale_.AreaRight(), 9000);
    EXPECT_EQ(cale_.AreaTop(), 3000);
    EXPECT_EQ(cale_.AreaBottom(), 6000);
    EXPECT_EQ(cale_.PosY(1), 100);
    EXPECT_EQ(cale_.PosY(2), 120);
    EXPECT_EQ(cale_.Font(0)->size, 18);
    EXPECT_FALSE(cale_.Font(0)->italic);
    EXPECT_EQ(cale_.Color(7), kMagenta);
    EXPECT_EQ(cale_.ShadeXY(2, 1), 2);
    EXPECT_EQ(cale_.NextMessage(), 4);
    EXPECT_EQ(cale_.Holydays()[0], '1');
    Draw({2026, 5, 1});
    EXPECT_FALSE(Printed("x"));
}

TEST_F(CaleSetTest, NotAPictureBoxIsReportedAndIgnored) {
    SetUpGrid();
    FakeControl list("ListBox");
    cale_.Picture(list);
    EXPECT_EQ(host_.boxes, std::vector<std::string>{"CaleSet Error|PictureBoxでありません。(ListBox)"});
    EXPECT_EQ(cale_.Picture(), &picture_);
    EXPECT_EQ(cale_.AreaRight(), 8000);
}

TEST_F(CaleSetTest, PixelsInTwipsOut) {
    cale_.ShadeXY(1, 0, 4);
    EXPECT_EQ(cale_.ShadeXY(1, 0), 4);
    cale_.PosX(0, 300);
    EXPECT_EQ(cale_.PosX(0), 20);
    cale_.PosX(0, 307.5);
    EXPECT_EQ(cale_.PosX(0), 20);
}

TEST_F(CaleSetTest, HolydaysAreExactly31Characters) {
    cale_.Holydays("01");
    EXPECT_EQ(cale_.Holydays(), "01" + std::string(29, ' '));
    cale_.Holydays(std::string(31, '0') + "11");
    EXPECT_EQ(cale_.Holydays(), std::string(31, '0'));
}

TEST_F(CaleSetTest, IndexOutOfRangeStoresNothing) {
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"DayPosX(0)", [&] { cale_.DayPosX(0); }},
        {"DayPosY(32)", [&] { cale_.DayPosY(32); }},
        {"PosX(3)", [&] { cale_.PosX(3); }},
        {"PosY(-1, v)", [&] { cale_.PosY(-1, 5); }},
        {"Shade(4)", [&] { cale_.Shade(4, false); }},
        {"ShadeXY(4, 0)", [&] { cale_.ShadeXY(4, 0, 1); }},
        {"ShadeXY(0, 2)", [&] { cale_.ShadeXY(0, 2); }},
        {"Font(4)", [&] { cale_.Font(4); }},
        {"Color(8, v)", [&] { cale_.Color(8, 1); }},
        {"Color(-1)", [&] { cale_.Color(-1); }},
        {"Message(-1, v)", [&] { cale_.Message(-1, "x"); }},
    };
    for (const auto& [name, call] : calls) EXPECT_THROW(call(), std::out_of_range) << name;
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(cale_.Shade(i));
    EXPECT_EQ(cale_.Color(7), kMagenta);
    EXPECT_EQ(cale_.NextMessage(), 0);
}

TEST_F(CaleSetTest, EmptyFontSlotGetsADefaultFont) {
    cale_.Font(2, nullptr);
    const FontObject f = cale_.Font(2);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, "");
    EXPECT_EQ(cale_.Font(2), f);
}

// ---- Frame -----------------------------------------------------------------------

TEST_F(CaleSetTest, MejiGroovesTheAreaExceptOnThePreview) {
    auto framed = [&](const char* name, int p6) {
        FakePicture picture(600, 400, name);
        picture.Fill(0x00808080);
        cale_.Picture(picture);
        cale_.Meji(200, 380, 300, 580, 150, p6);
        return picture.Image();
    };
    const auto outerOnly = framed("picCalendar", 0);
    EXPECT_EQ(framed("picCalePrev", 1), outerOnly);
    const auto grooved = framed("picCalendar", 1);
    EXPECT_NE(grooved, outerOnly);
    // The groove starts 10 pixels left of p3 and 10 above p1 less 150 twips (10
    // pixels): grid row 180, picture row 179.
    auto at = [&](const std::vector<std::uint32_t>& image, int x, int t) { return image[(399 - t) * 600 + x]; };
    EXPECT_EQ(at(outerOnly, 400, 179), 0x00808080u);
    EXPECT_EQ(at(grooved, 400, 178), 0x00808080u);
    EXPECT_NE(at(grooved, 400, 179), 0x00808080u);
    EXPECT_NE(at(grooved, 290, 300), 0x00808080u);
}

}  // namespace
}  // namespace mb::schedit
