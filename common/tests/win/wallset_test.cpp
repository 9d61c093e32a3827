// cWallSet and the picture loader against the real registry, files and imaging
// component (runs under Wine only). Each test restores the desktop values it touches.
#include "driver.h"
#include "ini_test_support.h"
#include "text/wide.h"
#include "wallset_logic/wallset_registry.h"
#include "win/picture_loader.h"
#include "win/wallset.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <future>
#include <optional>

namespace mb {
namespace {

using namespace std::string_literals;
using wallset::kDesktopKey;

// The fixtures beside this source file: 64 x 48, quarters red, green / blue, white.
std::string DataFile(const std::string& name) {
    std::string here = __FILE__;
    std::string folder = here.substr(0, here.find_last_of("/\\") + 1) + "data/";
    return folder[0] == '/' ? Narrow(driver::DosPath(folder + name)) : folder + name;
}

bool Near(std::uint32_t got, std::uint32_t want, int tolerance) {
    for (int shift : {0, 8, 16}) {
        int g = (got >> shift) & 0xFF, w = (want >> shift) & 0xFF;
        if (std::abs(g - w) > tolerance) return false;
    }
    return true;
}

void ExpectQuarters(const PictureImage& p, int tolerance, const std::string& what) {
    ASSERT_EQ(p.width, 64) << what;
    ASSERT_EQ(p.height, 48) << what;
    EXPECT_PRED3(Near, p.Pixel(8, 8), 0xFF0000u, tolerance) << what;
    EXPECT_PRED3(Near, p.Pixel(56, 8), 0x00FF00u, tolerance) << what;
    EXPECT_PRED3(Near, p.Pixel(8, 40), 0x0000FFu, tolerance) << what;
    EXPECT_PRED3(Near, p.Pixel(56, 40), 0xFFFFFFu, tolerance) << what;
}

TEST(PictureLoader, ReadsBitmapJpegAndPng) {
    struct Case {
        const char* file;
        int tolerance;
    } cases[] = {
        {"quad.bmp", 0},
        {"quad8.bmp", 0},
        {"quad.jpg", 24},
        {"quad.png", 0},
    };
    for (const auto& c : cases) {
        std::string error;
        auto p = win::LoadPicture(DataFile(c.file), &error);
        ASSERT_TRUE(p) << c.file << ": " << error;
        ExpectQuarters(*p, c.tolerance, c.file);
        EXPECT_EQ(p->himetricWidth, PixelsToHimetric(64, 96)) << c.file;  // Wine's screen: 96 DPI
        auto m = win::LoadPictureFromMemory(test::ReadBytes(DataFile(c.file)).data(),
                                            test::ReadBytes(DataFile(c.file)).size());
        ASSERT_TRUE(m) << c.file;
        EXPECT_EQ(m->bgr, p->bgr) << c.file;
    }
}

TEST(PictureLoader, UnreadableFilesGiveNothingAndAReason) {
    test::TempFolder t;
    std::string jpg = test::ReadBytes(DataFile("quad.jpg"));
    test::WriteBytes(t.File("truncated.jpg"), jpg.substr(0, jpg.size() / 3));
    test::WriteBytes(t.File("text.jpg"), "this is no picture\r\n");
    test::WriteBytes(t.File("empty.bmp"), "");
    test::WriteBytes(t.File("header.bmp"), test::ReadBytes(DataFile("quad.bmp")).substr(0, 60));
    for (const char* name : {"truncated.jpg", "text.jpg", "empty.bmp", "header.bmp", "missing.bmp"}) {
        std::string error;
        EXPECT_FALSE(win::LoadPicture(t.File(name), &error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}

// Desktop values as they were before a test, put back after it.
class WallSetTest : public ::testing::Test {
protected:
    static constexpr const char* kName = "WallSetTest";
    const std::vector<std::string> values_ = {"Wallpaper", "TileWallpaper", "WallpaperOriginX", "WallpaperOriginY"};
    std::vector<std::optional<std::string>> saved_;
    test::TempFolder windows_, perUser_, pics_;

    void SetUp() override {
        for (const auto& v : values_)
            saved_.push_back(driver::RegistryString(HKEY_CURRENT_USER, L"Control Panel\\desktop", Widen(v)));
        driver::DeleteRegistryTree(HKEY_CURRENT_USER, Widen(SavedKey()));
    }
    void TearDown() override {
        for (std::size_t i = 0; i < values_.size(); ++i)
            wallset::WriteRegString(kDesktopKey, values_[i], saved_[i].value_or(""));
        driver::DeleteRegistryTree(HKEY_CURRENT_USER, Widen(SavedKey()));
    }
    static std::string SavedKey() { return wallset::SavedSettingsKey("wallsettest"); }

    static std::string Folder(const test::TempFolder& t) { return Narrow(t.Path().wstring()) + "\\"; }
    cWallSet Make(std::string windows, std::string perUser) const {
        return cWallSet(wallset::Screen{15, 15, 1024, 768}, [=] { return BitmapFolders{windows, perUser}; });
    }
    cWallSet Make() const { return Make(Folder(windows_), Folder(perUser_)); }

    static std::shared_ptr<const PictureImage> Quad() {
        return std::make_shared<const PictureImage>(*win::LoadPicture(DataFile("quad.bmp")));
    }
    static std::string Desktop(const std::string& value) { return wallset::ReadRegString(kDesktopKey, value); }
    static std::string Saved(const std::string& value) { return wallset::ReadRegString(SavedKey(), value); }

    // The user's own wallpaper: a real file, shown tiled at 3, 4.
    std::string UserWallpaper() {
        std::string sea = pics_.File("sea.bmp");
        test::WriteBytes(sea, test::ReadBytes(DataFile("quad.bmp")));
        wallset::WriteRegString(kDesktopKey, "Wallpaper", sea);
        wallset::WriteRegString(kDesktopKey, "TileWallpaper", "1");
        wallset::WriteRegString(kDesktopKey, "WallpaperOriginX", "3");
        wallset::WriteRegString(kDesktopKey, "WallpaperOriginY", "4");
        return sea;
    }
};

// Presses OK on the stop box the wallpaper setter shows while `act` runs; gives its title and text.
template <typename Act>
std::pair<std::wstring, std::wstring> CatchBox(Act act) {
    auto watcher = std::async(std::launch::async, [] {
        auto box = driver::WaitMessageBox(GetCurrentProcessId(), 10000);
        if (!box) return std::make_pair(L"<no box>"s, L""s);
        EXPECT_EQ(box->icon, driver::Icon::Stop);
        driver::Press(*box, IDOK);
        return std::make_pair(box->title, box->text);
    });
    act();
    return watcher.get();
}

TEST_F(WallSetTest, WithoutFileNameNothingHappens) {
    UserWallpaper();
    cWallSet w = Make();
    w.Picture(Quad());
    EXPECT_FALSE(w.SetWall(true, false));
    EXPECT_FALSE(test::Exists(windows_.File(".bmp")));
    EXPECT_EQ(Desktop("TileWallpaper"), "1");
    EXPECT_EQ(Saved("FileName"), "");
}

TEST_F(WallSetTest, FirstChangeSavesTheUsersWallpaperLaterOnesLeaveItAlone) {
    std::string sea = UserWallpaper();
    cWallSet w = Make();
    w.FileName(kName);
    w.Picture(Quad());
    w.Align(0);
    ASSERT_TRUE(w.SetWall(true, false));
    std::string bmp = Folder(windows_) + "WallSetTest.bmp";
    EXPECT_EQ(w.BitmapPath(), bmp);
    EXPECT_EQ(Saved("FileName"), sea);
    EXPECT_EQ(Saved("CurrentX"), "3");
    EXPECT_EQ(Saved("CurrentY"), "4");
    EXPECT_EQ(Saved("Tiling"), "1");
    EXPECT_EQ(Desktop("TileWallpaper"), "0");
    EXPECT_EQ(Desktop("WallpaperOriginX"), "0");
    EXPECT_EQ(Desktop("WallpaperOriginY"), "0");
    EXPECT_EQ(Desktop("Wallpaper"), bmp);  // written by the shell's own settings call
    EXPECT_EQ(w.NowWallName(), bmp);
    auto written = win::LoadPicture(bmp);
    ASSERT_TRUE(written);
    ExpectQuarters(*written, 0, "bitmap");

    // Our bitmap is the wallpaper now, also when spelled in other case: nothing saved again.
    wallset::WriteRegString(kDesktopKey, "Wallpaper", Folder(windows_) + "WALLSETTEST.BMP");
    cWallSet again = Make();
    again.FileName(kName);
    again.Picture(Quad());
    again.Align(5);
    ASSERT_TRUE(again.SetWall(true, false));
    EXPECT_EQ(Saved("FileName"), sea);
    EXPECT_EQ(Saved("Tiling"), "1");
    EXPECT_EQ(Desktop("WallpaperOriginX"), "26");

    // Our bitmap deleted meanwhile: the desktop still names it, so it is still not the user's.
    ASSERT_TRUE(DeleteFileW(Widen(bmp).c_str()));
    cWallSet third = Make();
    third.FileName(kName);
    third.Picture(Quad());
    ASSERT_TRUE(third.SetWall(true, false));
    EXPECT_EQ(Saved("FileName"), sea);
    EXPECT_EQ(Saved("Tiling"), "1");
}

TEST_F(WallSetTest, SaveOnlyWritesBitmapAndValuesButLeavesTheShell) {
    std::string sea = UserWallpaper();
    cWallSet w = Make();
    w.FileName(kName);
    w.Picture(Quad());
    w.Align(8);
    ASSERT_TRUE(w.SetWall(true, true));
    EXPECT_TRUE(test::Exists(Folder(windows_) + "WallSetTest.bmp"));
    EXPECT_EQ(Desktop("WallpaperOriginX"), std::to_string(1024 - 64 - 25));
    EXPECT_EQ(Desktop("WallpaperOriginY"), std::to_string(768 - 48 - 25));
    EXPECT_EQ(Desktop("Wallpaper"), sea);
    EXPECT_EQ(Saved("FileName"), "");  // no saving step without a change of the shell
}

TEST_F(WallSetTest, UnwritableWindowsFolderGivesThePerUserFolder) {
    // As an ordinary user meets it; here the "Windows folder" is a path that cannot hold files.
    test::WriteBytes(windows_.File("plain file"), "x");
    std::string sea = UserWallpaper();
    cWallSet w = Make(windows_.File("plain file") + "\\", Folder(perUser_) + "suite\\");
    w.FileName(kName);
    w.Picture(Quad());
    w.Align(0);
    ASSERT_TRUE(w.SetWall(true, false));
    std::string bmp = Folder(perUser_) + "suite\\WallSetTest.bmp";
    EXPECT_EQ(w.BitmapPath(), bmp);
    EXPECT_TRUE(test::Exists(bmp));
    EXPECT_EQ(Desktop("Wallpaper"), bmp);

    // Still recognised as ours: the saved wallpaper stays the user's.
    cWallSet again = Make(windows_.File("plain file") + "\\", Folder(perUser_) + "suite\\");
    again.FileName(kName);
    again.Picture(Quad());
    ASSERT_TRUE(again.SetWall(true, false));
    EXPECT_EQ(Saved("FileName"), sea);
}

TEST_F(WallSetTest, PlatformFolders) {
    BitmapFolders f = PlatformBitmapFolders();
    wchar_t windows[MAX_PATH];
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(f.windows, Narrow(std::wstring(windows, n)) + "\\");
    EXPECT_TRUE(f.perUser.ends_with("\\MurabellCompanion\\")) << f.perUser;
}

TEST_F(WallSetTest, BitmapThatCannotBeWrittenIsReportedAndChangesNothing) {
    test::WriteBytes(windows_.File("plain file"), "x");
    std::string sea = UserWallpaper();
    std::string nowhere = windows_.File("plain file") + "\\";
    cWallSet w = Make(nowhere, nowhere);
    w.FileName(kName);
    w.Picture(Quad());
    bool result = true;
    auto [title, text] = CatchBox([&] { result = w.SetWall(true, false); });
    EXPECT_FALSE(result);
    EXPECT_EQ(title, L"cWallSet Class");
    EXPECT_TRUE(text.starts_with(L"SetWallError")) << Narrow(text);
    EXPECT_GT(text.size(), 12u) << "the platform's description follows";
    EXPECT_EQ(Desktop("TileWallpaper"), "1");
    EXPECT_EQ(Desktop("Wallpaper"), sea);
    EXPECT_EQ(Saved("FileName"), sea);  // done before the failure, stays done
}

TEST_F(WallSetTest, DesktopOriginTooLargeIsReported) {
    UserWallpaper();
    wallset::WriteRegString(kDesktopKey, "WallpaperOriginX", "99999999999");
    cWallSet w = Make();
    w.FileName(kName);
    w.Picture(Quad());
    bool result = true;
    auto [title, text] = CatchBox([&] { result = w.SetWall(true, false); });
    EXPECT_FALSE(result);
    EXPECT_EQ(title, L"cWallSet Class");
    EXPECT_TRUE(text.starts_with(L"SetWallError")) << Narrow(text);
    EXPECT_FALSE(test::Exists(Folder(windows_) + "WallSetTest.bmp"));
}

TEST_F(WallSetTest, KillWallPutsBackOrRemoves) {
    std::string sea = UserWallpaper();
    cWallSet w = Make();
    w.FileName(kName);
    w.Picture(Quad());
    ASSERT_TRUE(w.SetWall(true, false));

    cWallSet back = Make();
    back.FileName(kName);  // as set: the saved key was written lower case
    ASSERT_TRUE(back.KillWall(true));
    EXPECT_EQ(Desktop("Wallpaper"), sea);
    EXPECT_EQ(Desktop("TileWallpaper"), "1");
    EXPECT_EQ(Desktop("WallpaperOriginX"), "3");
    EXPECT_EQ(Desktop("WallpaperOriginY"), "4");

    DeleteFileW(Widen(sea).c_str());
    wallset::WriteRegString(kDesktopKey, "TileWallpaper", "2");
    EXPECT_FALSE(back.KillWall(true));  // saved file gone: desktop left alone
    EXPECT_EQ(Desktop("TileWallpaper"), "2");

    ASSERT_TRUE(back.KillWall(false));
    EXPECT_EQ(Desktop("Wallpaper"), "");
    EXPECT_EQ(Desktop("TileWallpaper"), "0");
    EXPECT_EQ(Desktop("WallpaperOriginX"), "0");
    EXPECT_EQ(Desktop("WallpaperOriginY"), "0");
    EXPECT_EQ(Saved("FileName"), sea);  // never deleted
}

TEST_F(WallSetTest, CenteringKeepsThePictureAtTheOrigin) {
    std::string sea = UserWallpaper();
    Make().Centering();
    EXPECT_EQ(Desktop("Wallpaper"), sea);
    EXPECT_EQ(Desktop("TileWallpaper"), "0");
    EXPECT_EQ(Desktop("WallpaperOriginX"), "0");
    EXPECT_EQ(Desktop("WallpaperOriginY"), "0");
}

TEST_F(WallSetTest, RegistryTextsRoundTripInTheCodePage) {
    const std::string key = SavedKey();
    struct Case {
        std::string text, back;
    } cases[] = {
        {"C:\\壁紙\\海.bmp", "C:\\壁紙\\海.bmp"},
        {std::string(1023, 'a'), std::string(1023, 'a')},
        {std::string(1024, 'a'), ""},  // with its NUL longer than the 1024-byte buffer
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(wallset::WriteRegString(key, "FileName", c.text));
        EXPECT_EQ(wallset::ReadRegString(key, "FileName"), c.back) << c.text.size();
    }
    EXPECT_EQ(wallset::ReadRegString(key, "NoSuchValue"), "");
    EXPECT_EQ(wallset::ReadRegString(key + "\\NoSuchKey", "FileName"), "");
}

}  // namespace
}  // namespace mb
