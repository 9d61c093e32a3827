// The bevelled frame's arithmetic on a picture with a known image.
#include "logic/GetVersion.h"
#include "fake_picture.h"

#include <gtest/gtest.h>

namespace mb::schedit {
namespace {

using test::FakePicture;

constexpr std::uint32_t Grey(int v, std::uint32_t spare = 0xAB) {
    return spare << 24 | static_cast<std::uint32_t>(v) << 16 | static_cast<std::uint32_t>(v) << 8 |
           static_cast<std::uint32_t>(v);
}

const FrameBands kFive{5, 5, 5, 5, 0, 0, 0, 0};

// Picture pixels (column, row from the top) in the middle of each band and just
// inside it, on a 20 x 20 picture with bands of 5 at its edge.
struct Probe {
    const char* where;
    int x, t;
    int band;
};  // band: 0 top, 1 left, 2 right, 3 bottom, -1 none
const Probe kProbes[] = {
    {"top outer row", 10, 0, 0},       {"top inner row", 10, 4, 0},       {"below top", 10, 5, -1},
    {"left outer column", 0, 10, 1},   {"left inner column", 5, 10, 1},   {"right of left", 6, 10, -1},
    {"right outer column", 19, 10, 2}, {"right inner column", 15, 10, 2}, {"left of right", 14, 10, -1},
    {"bottom outer row", 10, 19, 3},   {"bottom inner row", 10, 14, 3},   {"above bottom", 10, 13, -1},
};

struct ShadeCase {
    const char* name;
    int grey;
    double strength;
    int bands[4];  // expected value in the top, left, right and bottom band
};

class ShadeFrameTest : public ::testing::TestWithParam<ShadeCase> {};

TEST_P(ShadeFrameTest, BandValues) {
    const ShadeCase& c = GetParam();
    FakePicture picture(20, 20);
    picture.Fill(Grey(c.grey));
    ShadeFrame(picture, kFive, c.strength);
    for (const Probe& p : kProbes) {
        const int expected = p.band < 0 ? c.grey : c.bands[p.band];
        EXPECT_EQ(picture.Pixel(p.x, p.t), Grey(expected)) << p.where;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ShadeFrameTest, ::testing::Values(
    ShadeCase{"MidGreyRaised", 128, 1, {228, 178, 78, 28}},
    ShadeCase{"MidGreySunken", 128, -1, {28, 78, 178, 228}},
    ShadeCase{"WhiteClamps", 255, 1, {255, 255, 205, 155}},
    ShadeCase{"HalfStrength", 128, 0.5, {178, 153, 103, 78}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ShadeFrame, BandsMeetOnTheCornerDiagonals) {
    FakePicture picture(20, 20);
    picture.Fill(Grey(128));
    ShadeFrame(picture, kFive, 0.5);
    EXPECT_EQ(picture.Pixel(1, 0), Grey(128 + 50 + 25));   // top and left
    EXPECT_EQ(picture.Pixel(5, 3), Grey(128 + 50));        // top only, right of the diagonal
    EXPECT_EQ(picture.Pixel(4, 4), Grey(128 + 25));        // left only, below it
    EXPECT_EQ(picture.Pixel(19, 0), Grey(128 + 50 - 25));  // top and right
    EXPECT_EQ(picture.Pixel(1, 18), Grey(128 + 25 - 50));  // left and bottom
}

TEST(ShadeFrame, HalfUpThenHalfDownRestoresMidGrey) {
    FakePicture picture(40, 30);
    picture.Fill(Grey(128));
    const std::vector<std::uint32_t> before = picture.Image();
    const FrameBands inset{3, 4, 5, 6, 2, 3, 4, 1};
    ShadeFrame(picture, inset, 0.5);
    EXPECT_NE(picture.Image(), before);
    ShadeFrame(picture, inset, -0.5);
    EXPECT_EQ(picture.Image(), before);
}

TEST(ShadeFrame, BandOutsideThePictureFailsAndWritesNothing) {
    FakePicture picture(20, 20);
    picture.Fill(Grey(128));
    EXPECT_THROW(ShadeFrame(picture, {5, 5, 5, 5, 18, 0, 0, 0}, 1), std::out_of_range);
    EXPECT_THROW(ShadeFrame(picture, {5, 5, 5, 5, -1, 0, 0, 0}, 1), std::out_of_range);
    EXPECT_THROW(ShadeFrame(picture, {0, 5, 5, 5, 0, 0, 0, 0}, 1), std::invalid_argument);
    EXPECT_EQ(picture.writes, 0);
    EXPECT_EQ(picture.Pixel(10, 0), Grey(128));
}

// Picture pixel (x, t) sits at grid (x, t + 1); grid row 0 and column W are dropped.
TEST(PixelTransfer, GridLayoutAndRoundTrip) {
    FakePicture picture(3, 2);
    for (int t = 0; t < 2; ++t)
        for (int x = 0; x < 3; ++x) picture.Pixel(x, t) = 0x100u * t + x + 1;
    PixelGrid grid(3, 2);
    ASSERT_FALSE(GetPixels(picture, grid));
    EXPECT_EQ(grid.At(0, 1), 0x001u);
    EXPECT_EQ(grid.At(2, 1), 0x003u);
    EXPECT_EQ(grid.At(0, 2), 0x101u);
    EXPECT_EQ(grid.At(2, 2), 0x103u);

    for (int y = 0; y <= 2; ++y) grid.At(3, y) = 0xDEAD;
    for (int x = 0; x <= 3; ++x) grid.At(x, 0) = 0xBEEF;
    grid.At(1, 2) = 0x777;
    ASSERT_FALSE(PutPixels(picture, grid));
    EXPECT_EQ(picture.Pixel(1, 1), 0x777u);
    for (int t = 0; t < 2; ++t)
        for (int x = 0; x < 3; ++x) {
            if (x == 1 && t == 1) continue;
            EXPECT_EQ(picture.Pixel(x, t), 0x100u * t + x + 1) << x << "," << t;
        }
}

TEST(PixelTransfer, FailedReadLeavesTheGrid) {
    FakePicture picture(3, 2);
    picture.failRead = true;
    PixelGrid grid(3, 2);
    grid.At(1, 1) = 42;
    EXPECT_TRUE(GetPixels(picture, grid));
    EXPECT_EQ(grid.At(1, 1), 42u);
    picture.failWrite = true;
    EXPECT_TRUE(PutPixels(picture, grid));
}

TEST(PixelTransfer, GridSmallerThanThePictureIsAnError) {
    FakePicture picture(3, 2);
    PixelGrid grid(2, 2);
    EXPECT_THROW(GetPixels(picture, grid), std::out_of_range);
    EXPECT_THROW(PutPixels(picture, grid), std::out_of_range);
}

TEST(RoundHalfEven, Halves) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(-2.6), -3);
}

}  // namespace
}  // namespace mb::schedit
