#include "logic/cCaleSet.h"

#include "logic/GetVersion.h"
#include "logic/mHolyday.h"

#include <algorithm>
#include <stdexcept>

namespace mb::schedit {
namespace {

enum ColourIndex { kTitle, kHeader, kMessages, kWeekday, kSunday, kSaturday, kShadow, kHoliday };
enum TextKind { kTitleText, kHeaderText, kMessageText, kGridText };

constexpr std::array<Colour, 8> kDefaultColours = {Rgb(192, 0, 192),   Rgb(0, 0, 192),  Rgb(0, 128, 0),
                                                   Rgb(0, 0, 0),       Rgb(255, 0, 0),  Rgb(0, 0, 255),
                                                   Rgb(192, 192, 192), Rgb(255, 0, 255)};

constexpr const char* kDefaultFace = "ＭＳ Ｐゴシック";
constexpr const char* kDefaultYMFormat = "yyyy-mmmm";

void Check(int index, int last) {
    if (index < 0 || index > last) throw std::out_of_range("subscript out of range");
}

const char* WeekdayName(int typeWeek, int i) {
    static const char* const kLetters[] = {" S ", " M ", " T ", " W ", " T ", " F ", " S "};
    static const char* const kKanji[] = {" 日", " 月", " 火", " 水", " 木", " 金", " 土"};
    static const char* const kEnglish[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    if (typeWeek == 1) return kLetters[i - 1];
    if (typeWeek == 2) return kKanji[i - 1];
    return kEnglish[i - 1];
}

}  // namespace

cCaleSet::cCaleSet(CaleSetHost& host)
    : host_(host), tppx_(host.TwipsPerPixelX()), tppy_(host.TwipsPerPixelY()), defDay_(host.Today()) {
    DefaultFontsColoursShades();
}

std::string cCaleSet::HolidayName(Date d) const {
    return schedit::HolidayName(d);
}

void cCaleSet::DefaultFontsColoursShades() {
    for (int i = 0; i < 4; ++i) {
        if (!fonts_[i]) fonts_[i] = std::make_shared<FontSpec>();
        FontSpec& f = *fonts_[i];
        f.bold = true;
        f.italic = false;
        f.name = kDefaultFace;
        f.size = 18;
        if (i == 3) f.underline = true;
    }
    colours_ = kDefaultColours;
    ymFormat_ = kDefaultYMFormat;
    shade_.fill(true);
    for (auto& offset : shadeOffset_) offset = {3 * tppx_, 2 * tppy_};
    message_.assign(1, std::string());
}

void cCaleSet::ResetLayout() {
    const long long w = RoundHalfEven(picture_->ScaleWidth());
    const long long h = RoundHalfEven(picture_->ScaleHeight());
    areaTop_ = static_cast<float>(h / 2);
    areaBottom_ = static_cast<float>(h);
    areaLeft_ = static_cast<float>(w / 2);
    areaRight_ = static_cast<float>(w);
    pos_[kTitleText] = {0, 0};
    pos_[kHeaderText] = {0, static_cast<float>(h / 4)};
    pos_[kMessageText] = {0, pos_[kHeaderText].y + 300};
    DefaultFontsColoursShades();
}

float cCaleSet::DayPosX(int iDay) const {
    Check(iDay - 1, 30);
    return dayPos_[iDay - 1].x;
}

float cCaleSet::DayPosY(int iDay) const {
    Check(iDay - 1, 30);
    return dayPos_[iDay - 1].y;
}

void cCaleSet::Holydays(std::string_view sHoly) {
    std::string flags(sHoly.substr(0, 31));
    flags.resize(31, ' ');
    holydays_ = std::move(flags);
}

float cCaleSet::PosX(int Index) const {
    Check(Index, 2);
    return static_cast<float>(RoundHalfEven(pos_[Index].x) / tppx_);
}

float cCaleSet::PosY(int Index) const {
    Check(Index, 2);
    return static_cast<float>(RoundHalfEven(pos_[Index].y) / tppy_);
}

void cCaleSet::PosX(int Index, float vData) {
    Check(Index, 2);
    pos_[Index].x = vData;
}

void cCaleSet::PosY(int Index, float vData) {
    Check(Index, 2);
    pos_[Index].y = vData;
}

bool cCaleSet::Shade(int Index) const {
    Check(Index, 3);
    return shade_[Index];
}

void cCaleSet::Shade(int Index, bool vData) {
    Check(Index, 3);
    shade_[Index] = vData;
}

int cCaleSet::ShadeXY(int xData, int Index) const {
    Check(xData, 3);
    Check(Index, 1);
    return shadeOffset_[xData][Index] / (Index == 0 ? tppx_ : tppy_);
}

void cCaleSet::ShadeXY(int xData, int Index, int vData) {
    Check(xData, 3);
    Check(Index, 1);
    shadeOffset_[xData][Index] = vData * (Index == 0 ? tppx_ : tppy_);
}

void cCaleSet::Message(int iLine, std::string vData) {
    if (iLine < 0) throw std::out_of_range("subscript out of range");
    message_.resize(static_cast<std::size_t>(iLine) + 1);
    message_[iLine] = std::move(vData);
    nextMessage_ = iLine + 1;
}

void cCaleSet::Picture(Control& v) {
    PictureBox* box = v.AsPictureBox();
    if (!box) {
        host_.InformationBox("PictureBoxでありません。(" + v.TypeName() + ")", "CaleSet Error");
        return;
    }
    picture_ = box;
    ResetLayout();
}

Colour cCaleSet::Color(int Index) const {
    Check(Index, 7);
    return colours_[Index];
}

void cCaleSet::Color(int Index, Colour vData) {
    Check(Index, 7);
    colours_[Index] = vData;
}

FontObject cCaleSet::Font(int Index) {
    Check(Index, 3);
    if (!fonts_[Index]) fonts_[Index] = std::make_shared<FontSpec>();
    return fonts_[Index];
}

void cCaleSet::Font(int Index, FontObject font) {
    Check(Index, 3);
    fonts_[Index] = std::move(font);
}

void cCaleSet::Create(Date dData) {
    if (!picture_) throw std::logic_error("cCaleSet has no picture to draw into");
    if (dData > Date{1990, 1, 1}) defDay_ = dData;
    PaintMonth();
}

void cCaleSet::SelectFont(int index) {
    picture_->SetFont(*Font(index));
}

void cCaleSet::PrintAt(double x, double y, std::string_view text) {
    picture_->SetCurrentPoint(x, y);
    picture_->Print(text);
}

double cCaleSet::Half(double length) const {
    return static_cast<double>(RoundHalfEven(length) / 2);
}

cCaleSet::Point cCaleSet::PrintCentred(double x, double y, std::string_view text, Colour colour) {
    const double left = x - Half(picture_->TextWidth(text));
    const double top = y - Half(picture_->TextHeight(text));
    if (shade_[kGridText]) {
        picture_->SetForeColor(colours_[kShadow]);
        PrintAt(shadeOffset_[kGridText][0] + left, shadeOffset_[kGridText][1] + top, text);
    }
    picture_->SetForeColor(colour);
    PrintAt(left, top, text);
    return {static_cast<float>(left), static_cast<float>(top)};
}

void cCaleSet::PaintMonth() {
    if (!IsValid(defDay_)) throw std::invalid_argument("cCaleSet has no valid day to draw: " + IsoText(defDay_));
    PictureBox& pic = *picture_;
    const bool titleInGrid = !ymFormat_.empty() && ymFormat_[0] == '_';
    const MonthNames& monthNames = host_.LocaleMonthNames();

    auto shadowed = [&](int kind, Colour colour, double x, double y, std::string_view text) {
        if (shade_[kind]) {
            pic.SetForeColor(colours_[kShadow]);
            PrintAt(x + shadeOffset_[kind][0], y + shadeOffset_[kind][1], text);
        }
        pic.SetForeColor(colour);
        PrintAt(x, y, text);
    };

    SelectFont(kTitleText);
    if (!titleInGrid)
        shadowed(kTitleText, colours_[kTitle], pos_[kTitleText].x, pos_[kTitleText].y,
                 FormatDate(defDay_, ymFormat_, monthNames));

    if (!header_.empty()) {
        SelectFont(kHeaderText);
        shadowed(kHeaderText, colours_[kHeader], pos_[kHeaderText].x, pos_[kHeaderText].y, header_);
    }

    // The stored y moves on with the lines, so the next drawing starts the messages
    // where this one ended.
    if (!message_[0].empty()) {
        SelectFont(kMessageText);
        for (const std::string& line : message_) {
            Point& at = pos_[kMessageText];
            if (shade_[kMessageText]) {
                pic.SetForeColor(colours_[kShadow]);
                PrintAt(at.x + shadeOffset_[kMessageText][0], at.y + shadeOffset_[kMessageText][1], line);
            }
            pic.SetForeColor(colours_[kMessages]);
            pic.SetCurrentPoint(at.x, at.y);
            pic.PrintLine(line);
            at.y = static_cast<float>(pic.CurrentY());
        }
    }

    const Date first{defDay_.year, defDay_.month, 1};
    const int lead = Weekday(first) - 1;
    const long long cellW = RoundHalfEven(static_cast<double>(areaRight_) - areaLeft_) / 8;
    long long cellH;
    if (!titleInGrid) {
        cellH = RoundHalfEven(static_cast<double>(areaBottom_) - areaTop_) / 7;
    } else {
        cellH = RoundHalfEven(static_cast<double>(areaBottom_) - areaTop_) / 8;
        Font(kTitleText)->size = static_cast<double>(std::min(cellW, cellH)) / 30;
        SelectFont(kTitleText);
        shadowed(kTitleText, colours_[kTitle], areaLeft_, areaTop_,
                 FormatDate(defDay_, std::string_view(ymFormat_).substr(1), monthNames));
    }

    FontSpec& gridFont = *Font(kGridText);
    gridFont.size = static_cast<double>(std::min(cellW, cellH)) / 45;
    SelectFont(kGridText);
    // By the month itself: one month after a late day (31 January) is clamped to the
    // end of the shorter month, which would lose the last days.
    const int days = DaysInMonth(defDay_.year, defDay_.month);

    double x = static_cast<double>(areaLeft_) + cellW;
    double y = titleInGrid ? static_cast<double>(areaTop_) + cellH : areaTop_;
    for (int i = 1; i <= 7; ++i) {
        const Colour colour = i == 1 ? colours_[kSunday] : i == 7 ? colours_[kSaturday] : colours_[kWeekday];
        PrintCentred(x, y, WeekdayName(typeWeek_, i), colour);
        x += cellW;
    }

    x = static_cast<double>(areaLeft_) + cellW;
    y += cellH;
    const double dayFont = static_cast<double>(std::min(cellW, cellH)) / 30;
    for (int c = 1 - lead; c <= days; ++c) {
        gridFont.size = big_ && c == defDay_.day ? 1.7 * dayFont : dayFont;
        SelectFont(kGridText);
        if (c > 0) {
            std::string s = c < 10 ? " " : "";  // two characters, right-aligned
            s += std::to_string(c);
            const Date date{defDay_.year, defDay_.month, c};
            Colour colour = colours_[kHoliday];
            if (schedit::HolidayName(date).empty() && holydays_[c - 1] == '0') {
                const int w = Weekday(date);
                colour = w == 7 ? colours_[kSaturday] : w == 1 ? colours_[kSunday] : colours_[kWeekday];
            }
            dayPos_[c - 1] = PrintCentred(x, y, s, colour);
        }
        if ((lead + c) % 7 != 0) {
            x += cellW;
        } else {
            x = static_cast<double>(areaLeft_) + cellW;
            y += cellH;
        }
    }
}

void cCaleSet::Meji(int p1, int p2, int p3, int p4, int p5, int p6) {
    if (!picture_) throw std::logic_error("cCaleSet has no picture to draw into");
    PictureBox& pic = *picture_;
    const int wp = static_cast<int>(RoundHalfEven(pic.ScaleWidth()) / tppx_);
    const int hp = static_cast<int>(RoundHalfEven(pic.ScaleHeight()) / tppy_);
    ShadeFrame(pic, {5, 5, 5, 5, 0, 0, 0, 0}, 1);
    ShadeFrame(pic, {5, 5, 5, 5, 5, 5, 5, 5}, -1);
    ShadeFrame(pic, {1, 1, 1, 1, 10, 10, 10, 10}, 1);
    ShadeFrame(pic, {1, 1, 1, 1, 11, 11, 11, 11}, -1);
    if (p6 != 1 || pic.Name() == "picCalePrev") return;
    const int t = p1 - p5 / tppy_;
    ShadeFrame(pic, {2, 2, 2, 2, p3 - 10, wp - p4, t - 10, hp - p2}, -1);
    ShadeFrame(pic, {2, 2, 2, 2, p3 - 8, wp - p4 + 2, t - 8, hp - p2 + 2}, 1);
}

}  // namespace mb::schedit
