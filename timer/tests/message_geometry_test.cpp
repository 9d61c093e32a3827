#include "logic/message_geometry.h"

#include <gtest/gtest.h>

namespace mb::timer {
namespace {

const PixelRect kPrimary{0, 0, 1280, 1024};
const PixelRect kRight{1280, 0, 2560, 768};  // shorter: a gap below it

struct PlaceCase {
    const char* name;
    const char* x;
    const char* y;
    std::vector<PixelRect> monitors;
    PixelPoint expected;
};

// A window of 301 x 87 pixels at 15 twips per pixel; centred it stands at
// (19200 - 4515) \ 2 = 7342 twips = 489 px and (15360 - 1305) \ 2 = 7027 twips = 468 px.
const PlaceCase kCases[] = {
    {"NothingSavedIsCentred", "", "", {kPrimary}, {489, 468}},
    {"SavedPlace", " 1500", " 2250", {kPrimary}, {100, 150}},
    {"LeftEdgeZero", " 0", " 600", {kPrimary}, {0, 40}},
    {"PartlyOffScreenStays", "-300", "-150", {kPrimary}, {-20, -10}},
    {"OneCoordinateNotANumber", "abc", " 2250", {kPrimary}, {489, 150}},
    {"RoundedToWholeTwipsThenPixels", "4537", "1500.5", {kPrimary}, {302, 100}},
    {"HugeNumberIsCentred", "1e300", " 2250", {kPrimary}, {489, 150}},
    {"WhollyLeftOfTheScreenIsCentred", "-4515", " 2250", {kPrimary}, {489, 468}},
    {"JustTouchingStays", "-4500", " 2250", {kPrimary}, {-300, 150}},
    {"BeyondTheRightEdgeIsCentred", " 19200", " 2250", {kPrimary}, {489, 468}},
    {"OnASecondMonitorStays", " 30000", " 2250", {kPrimary, kRight}, {2000, 150}},
    {"SecondMonitorRemovedIsCentred", " 30000", " 2250", {kPrimary}, {489, 468}},
    {"InTheGapBesideAShorterMonitorIsCentred", " 22500", " 13500", {kPrimary, kRight}, {489, 468}},
};

class Place : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(Place, Message) {
    Screen screen{15, 15, kPrimary, GetParam().monitors};
    EXPECT_EQ(PlaceMessage(GetParam().x, GetParam().y, 301, 87, screen), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Place, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Place, OtherResolution) {
    Screen screen{12, 12, {0, 0, 800, 600}, {{0, 0, 800, 600}}};
    // (9600 - 2400) \ 2 = 3600 twips = 300 px; (7200 - 1200) \ 2 = 3000 = 250 px
    EXPECT_EQ(PlaceMessage("", "", 200, 100, screen), (PixelPoint{300, 250}));
    EXPECT_EQ(PlaceMessage(" 1200", " 2400", 200, 100, screen), (PixelPoint{100, 200}));
}

TEST(Position, SavedTextAndRoundTrip) {
    EXPECT_EQ(FormatPosition(4530), " 4530");
    EXPECT_EQ(FormatPosition(0), " 0");
    EXPECT_EQ(FormatPosition(-30), "-30");
    for (int px : {-700, -1, 0, 1, 302, 2559}) EXPECT_EQ(TwipsToPixels(PixelsToTwips(px, 15), 15), px);
}

}  // namespace
}  // namespace mb::timer
