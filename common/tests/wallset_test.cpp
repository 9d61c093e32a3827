// The wallpaper setter's arithmetic and the data it writes.
#include "wallset_logic/picture_image.h"
#include "wallset_logic/wallset_geometry.h"
#include "wallset_logic/wallset_registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace mb::wallset {
namespace {

TEST(WallSetRounding, HalvesGoToTheEvenNeighbour) {
    struct Case {
        std::int64_t n, d, want;
    } cases[] = {
        {5, 2, 2}, {7, 2, 4}, {-5, 2, -2}, {-7, 2, -4}, {9, 4, 2}, {11, 4, 3}, {10, -4, -2}, {1, 3, 0}, {2, 3, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.n, c.d), c.want) << c.n << "/" << c.d;
}

TEST(WallSetPicture, HimetricToTwipsAndPixels) {
    struct Case {
        std::int32_t himetric, twips, pixels;
    } cases[] = {
        {5000, 2835, 189},                     // 2835 / 15 = 189
        {500, 284, 19},                        // 283.5 -> 284 (even); 18.93 -> 19
        {1500, 850, 57},                       // 850.5 -> 850 (even); 56.67 -> 57
        {0, 0, 0},         {8467, 4801, 320},  // a 320-pixel picture at 96 DPI
    };
    for (const auto& c : cases) {
        Placement p(Screen{15, 15, 1024, 768});
        p.PictureSize(c.himetric, c.himetric);
        EXPECT_EQ(p.TwipsWidth(), c.twips) << c.himetric;
        EXPECT_EQ(p.TwipsHeight(), c.twips) << c.himetric;
        EXPECT_EQ(p.PixelsWidth(), c.pixels) << c.himetric;
        EXPECT_EQ(p.PixelsHeight(), c.pixels) << c.himetric;
    }
    Placement p(Screen{15, 15, 1024, 768});
    p.Align(5);
    p.PictureSize(5000, 5000);  // the picture alone does not move the origin
    EXPECT_EQ(p.CurrentX(), 26);
}

TEST(WallSetScreen, PixelsFromTwips) {
    struct Case {
        std::int32_t w, h, dpi, tpp, pw, ph;
    } cases[] = {
        {1024, 768, 96, 15, 1024, 768},
        {1920, 1080, 120, 12, 1920, 1080},
        {1280, 1024, 110, 13, 1288, 1031},  // 13.09 twips per pixel rounds to 13
    };
    for (const auto& c : cases) {
        Screen s = ScreenFrom(c.w, c.h, c.dpi, c.dpi);
        EXPECT_EQ(s.twipsPerPixelX, c.tpp);
        EXPECT_EQ(s.twipsPerPixelY, c.tpp);
        EXPECT_EQ(s.pixelsWidth, c.pw) << c.dpi;
        EXPECT_EQ(s.pixelsHeight, c.ph) << c.dpi;
    }
}

// A 1024 x 768 screen and a 200 x 100 picture (3000 x 1500 twips), default margins 25.
Placement Picture200x100() {
    Placement p(Screen{15, 15, 1024, 768});
    p.PictureSize(5291, 2646);  // 3000 and 1500 twips (5291 * 0.567 = 2999.997)
    EXPECT_EQ(p.PixelsWidth(), 200);
    EXPECT_EQ(p.PixelsHeight(), 100);
    return p;
}

TEST(WallSetAlign, TableOfPlacements) {
    struct Case {
        std::int16_t align;
        std::int32_t x, y;
    } cases[] = {
        {0, 0, 0},    {1, 0, 26},   {2, 0, 643},   {3, 26, 0},  {4, 799, 0},  {5, 26, 26},
        {6, 26, 643}, {7, 799, 26}, {8, 799, 643}, {9, -5, -6}, {-1, -5, -6},  // other codes leave the position as it
                                                                               // was
    };
    for (const auto& c : cases) {
        Placement p = Picture200x100();
        EXPECT_EQ(p.Align(), 7);
        EXPECT_EQ(p.CurrentX(), 0);  // nothing computed until Align is written
        p.CurrentX(-5);
        p.CurrentY(-6);
        p.Align(c.align);
        EXPECT_EQ(p.Align(), c.align);
        EXPECT_EQ(p.CurrentX(), c.x) << "Align " << c.align;
        EXPECT_EQ(p.CurrentY(), c.y) << "Align " << c.align;
    }
}

TEST(WallSetAlign, MarginsTopLeftPlusOneBottomRightAsGiven) {
    Placement p = Picture200x100();
    p.IndentSpace(1, 10);
    p.IndentSpace(2, 20);
    p.IndentSpace(3, 30);
    p.IndentSpace(4, 40);
    p.IndentSpace(0, 999);  // read by nothing
    p.Align(5);
    EXPECT_EQ(p.CurrentX(), 31);
    EXPECT_EQ(p.CurrentY(), 11);
    p.Align(8);
    EXPECT_EQ(p.CurrentX(), 1024 - 200 - 40);
    EXPECT_EQ(p.CurrentY(), 768 - 100 - 20);
    EXPECT_EQ(p.IndentSpace(0), 999);
}

TEST(WallSetAlign, IndentSpaceOutsideZeroToFourIsAnIndexError) {
    Placement p = Picture200x100();
    for (std::int16_t bad : {std::int16_t{-1}, std::int16_t{5}}) {
        EXPECT_THROW(p.IndentSpace(bad), std::out_of_range);
        EXPECT_THROW(p.IndentSpace(bad, 1), std::out_of_range);
    }
    EXPECT_EQ(p.IndentSpace(4), 25);
}

TEST(WallSetAlign, PositionBeyond32BitsIsAnOverflow) {
    Placement p = Picture200x100();
    p.IndentSpace(4, INT32_MIN);
    EXPECT_THROW(p.Align(4), std::overflow_error);
}

TEST(WallSetCurrentWall, TextsFromTheDesktop) {
    struct Case {
        const char* x;
        const char* y;
        const char* tile;
        std::int32_t wantX, wantY;
        std::int16_t wantTile;
    } cases[] = {
        {"12", "34", "1", 12, 34, 1},     {"", "", "", 0, 0, 9},  // missing values: origin 0, tiling as before
        {"abc", "1x", "z", 0, 0, 9},      {" 2.5 ", "3.5", "0.5", 2, 4, 0},  // halves to even
        {"-2.5", "1e2", "2", -2, 100, 2},
    };
    for (const auto& c : cases) {
        CurrentWall w = ParseCurrentWall("C:\\pics\\sea.bmp", c.x, c.y, c.tile, 9);
        EXPECT_EQ(w.name, "C:\\pics\\sea.bmp");
        EXPECT_EQ(w.x, c.wantX) << c.x;
        EXPECT_EQ(w.y, c.wantY) << c.y;
        EXPECT_EQ(w.tiling, c.wantTile) << c.tile;
    }
}

TEST(WallSetCurrentWall, NumbersTooLargeAreOverflows) {
    EXPECT_THROW(ParseCurrentWall("", "2147483648", "0", "0", 0), std::overflow_error);
    EXPECT_THROW(ParseCurrentWall("", "0", "-2147483649", "0", 0), std::overflow_error);
    EXPECT_THROW(ParseCurrentWall("", "0", "0", "32768", 0), std::overflow_error);
    EXPECT_THROW(ParseCurrentWall("", "1e400", "0", "0", 0), std::overflow_error);
    EXPECT_EQ(ParseCurrentWall("", "2147483647", "-2147483648", "-32768", 0).tiling, -32768);
}

TEST(WallSetSavedSettings, OwnBitmapByFileNameIgnoringCase) {
    struct Case {
        const char* existing;
        bool own;
    } cases[] = {
        {"Murabell.bmp", true}, {"MURABELL.BMP", true},      {"murabell.bmp", true},
        {"sea.bmp", false},     {"Murabell.bmp.jpg", false}, {"", false},
        {"Murabell", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsOwnBitmap(c.existing, "Murabell"), c.own) << c.existing;
    EXPECT_EQ(LastPathPart("C:\\Users\\a\\AppData\\Local\\x\\Murabell.bmp"), "Murabell.bmp");
}

TEST(WallSetSavedSettings, OwnWallpaperEvenWhenOurBitmapIsGone) {
    struct Case {
        const char* path;
        const char* existing;
        bool own;
    } cases[] = {
        {"C:\\WINDOWS\\Murabell.bmp", "Murabell.bmp", true},
        {"C:\\WINDOWS\\MURABE~1.BMP", "Murabell.bmp", true},  // short path, long name on disk
        {"C:\\WINDOWS\\Murabell.bmp", "", true},              // deleted: still ours, the saved one stays
        {"C:\\pics\\sea.bmp", "sea.bmp", false},
        {"C:\\pics\\gone.bmp", "", false},
        {"", "", false},  // no wallpaper
    };
    for (const auto& c : cases) EXPECT_EQ(IsOwnWallpaper(c.path, c.existing, "Murabell"), c.own) << c.path;
    EXPECT_EQ(LastPathPart("Murabell.bmp"), "Murabell.bmp");
}

TEST(WallSetSavedSettings, WrittenUnderTheLowerCaseNameInOrder) {
    CurrentWall w{"C:\\pics\\sea.bmp", 3, -4, 2};
    std::string key = "Software\\VB and VBA Program Settings\\Tovrane\\murabell\\OldWallPaper";
    std::vector<RegistryWrite> want = {
        {key, "FileName", "C:\\pics\\sea.bmp"}, {key, "CurrentX", "3"}, {key, "CurrentY", "-4"}, {key, "Tiling", "2"}};
    EXPECT_EQ(SavedSettingsWrites("Murabell", w), want);
    std::vector<RegistryWrite> desktop = {{"Control Panel\\desktop", "TileWallpaper", "0"},
                                          {"Control Panel\\desktop", "WallpaperOriginX", "5"},
                                          {"Control Panel\\desktop", "WallpaperOriginY", "6"}};
    EXPECT_EQ(DesktopWrites("0", "5", "6"), desktop);
}

std::uint32_t Le32(const std::string& b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
           static_cast<std::uint8_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

TEST(BitmapFile, TwentyFourBitBottomUpWithPaddedRows) {
    // 3 x 2: top row red, green, blue; bottom row white, black, grey.
    PictureImage p;
    p.width = 3;
    p.height = 2;
    p.bgr = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 0, 0, 0, 128, 128, 128};
    EXPECT_EQ(p.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(p.Pixel(2, 1), 0x808080u);
    std::string b = EncodeBmp(p);
    const std::size_t stride = 12;  // 9 bytes padded to 12
    ASSERT_EQ(b.size(), 54 + 2 * stride);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(Le32(b, 2), b.size());
    EXPECT_EQ(Le32(b, 10), 54u);
    EXPECT_EQ(Le32(b, 18), 3u);
    EXPECT_EQ(Le32(b, 22), 2u);  // positive height: first row in the file is the bottom one
    EXPECT_EQ(static_cast<std::uint8_t>(b[28]), 24);
    EXPECT_EQ(b.substr(54, stride), std::string("\xff\xff\xff\x00\x00\x00\x80\x80\x80\x00\x00\x00", stride));
    EXPECT_EQ(b.substr(54 + stride, stride), std::string("\x00\x00\xff\x00\xff\x00\xff\x00\x00\x00\x00\x00", stride));
}

TEST(BitmapFile, PictureWithoutPixelsIsRefused) {
    PictureImage p;
    EXPECT_THROW(EncodeBmp(p), std::invalid_argument);
    p.width = 2;
    p.height = 2;
    p.bgr.resize(11);
    EXPECT_THROW(EncodeBmp(p), std::invalid_argument);
}

TEST(BitmapFile, HimetricAtScreenDpi) {
    EXPECT_EQ(PixelsToHimetric(320, 96), 8467);
    EXPECT_EQ(PixelsToHimetric(240, 96), 6350);
    EXPECT_EQ(PixelsToHimetric(96, 120), 2032);
}

}  // namespace
}  // namespace mb::wallset
