// MBTimer's wallpaper changes end to end: the real program in a folder whose name
// holds a space, changes made by double-clicking its tray icon, and the effects read
// back from the wallpaper bitmap, the desktop registry values and the painter's log.
#include "driver.h"
#include "text/wide.h"
#include "win/timer_resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace mb::driver {
namespace {

const std::wstring kDesktop = L"Control Panel\\desktop";
const std::wstring kSavedRoot = L"Software\\VB and VBA Program Settings\\Tovrane\\murabell";
const std::wstring kSaved = kSavedRoot + L"\\OldWallPaper";
const std::wstring kDesktopValues[] = {L"Wallpaper", L"TileWallpaper", L"WallpaperOriginX", L"WallpaperOriginY"};
constexpr UINT kTrayCallback = 512;
constexpr LPARAM kLeftDoubleClick = 515;

// Colours of the fixture pictures (JPEG within a tolerance) and of the fallback picture's frame.
constexpr std::uint32_t kRed = 0xE01010, kGreen = 0x10C010, kBlue = 0x1010E0, kFallbackFrame = 0xF0C800;

std::wstring DataFile(const std::wstring& name) {
    std::string here = __FILE__;
    return DosPath(here.substr(0, here.find_last_of('/')) + "/data/") + name;
}

std::string ReadAll(const std::wstring& path) {
    std::string bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n) bytes.append(buffer, n);
    CloseHandle(h);
    return bytes;
}

// The wallpaper bitmap as MBTimer writes it: 24 bits per pixel, rows bottom-up.
struct Bitmap {
    int width = 0, height = 0;
    std::string bytes;
    std::uint32_t Pixel(int x, int y) const {
        std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
        std::size_t at = 54 + (height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
        auto b = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(i))); };
        return b(at + 2) << 16 | b(at + 1) << 8 | b(at);
    }
};

std::optional<Bitmap> ReadBitmap(const std::wstring& path) {
    Bitmap bmp;
    bmp.bytes = ReadAll(path);
    if (bmp.bytes.size() < 54 || bmp.bytes.compare(0, 2, "BM") != 0 || bmp.bytes[28] != 24) return std::nullopt;
    std::memcpy(&bmp.width, bmp.bytes.data() + 18, 4);
    std::memcpy(&bmp.height, bmp.bytes.data() + 22, 4);
    return bmp;
}

bool Near(std::uint32_t got, std::uint32_t want) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) > 24)
            return false;
    return true;
}

// Which fixture the bitmap shows: "a", "b", "c", "fallback", or "?".
std::string Shows(const Bitmap& bmp) {
    if (bmp.width == 320 && bmp.height == 240 && bmp.Pixel(2, 2) == kFallbackFrame &&
        bmp.Pixel(317, 237) == kFallbackFrame)
        return "fallback";
    if (bmp.width != 64 || bmp.height != 48) return "?";
    std::uint32_t c = bmp.Pixel(32, 24);
    if (bmp.Pixel(0, 0) != c || bmp.Pixel(63, 47) != c) return "?";
    return Near(c, kRed) ? "a" : Near(c, kGreen) ? "b" : Near(c, kBlue) ? "c" : "?";
}

std::wstring WindowsBitmap() {
    wchar_t windows[MAX_PATH];
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows, n) + L"\\Murabell.bmp";
}

// "hh:nn" twelve hours from now: a schedule that makes MBTimer enabled but never fires here.
std::string FarTime() {
    std::time_t t = std::time(nullptr) + 12 * 3600;
    std::tm local{};
    localtime_s(&local, &t);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", local.tm_hour, local.tm_min);
    return text;
}

std::string Desktop(const std::wstring& value) {
    return RegistryString(HKEY_CURRENT_USER, kDesktop, value).value_or("");
}
std::string Saved(const std::wstring& value) {
    return RegistryString(HKEY_CURRENT_USER, kSaved, value).value_or("<none>");
}

class Wallpaper : public DriverTest {
protected:
    TestFolder folder;
    std::vector<std::optional<std::string>> desktopBefore;
    std::string userWallpaper;

    void SetUp() override {
        for (const auto& v : kDesktopValues) desktopBefore.push_back(RegistryString(HKEY_CURRENT_USER, kDesktop, v));
        DeleteRegistryTree(HKEY_CURRENT_USER, kSavedRoot);
        DeleteFileW(WindowsBitmap().c_str());
        folder.CopyProgram(L"MBTimer.exe", L"MBTimer.exe");
        folder.Write(L"MBTimer.ini", "[TimeSet]\r\n" + FarTime() + "=2,$Time$, \r\n");
        // The user's own wallpaper, tiled at 3, 4.
        folder.MakeFolder(L"mine");
        CopyFileW(DataFile(L"a.bmp").c_str(), folder.File(L"mine\\sea.bmp").c_str(), FALSE);
        userWallpaper = Narrow(folder.File(L"mine\\sea.bmp"));
        SetRegistryString(HKEY_CURRENT_USER, kDesktop, L"Wallpaper", userWallpaper);
        SetRegistryString(HKEY_CURRENT_USER, kDesktop, L"TileWallpaper", "1");
        SetRegistryString(HKEY_CURRENT_USER, kDesktop, L"WallpaperOriginX", "3");
        SetRegistryString(HKEY_CURRENT_USER, kDesktop, L"WallpaperOriginY", "4");
    }
    void TearDown() override {
        app = App();  // ends MBTimer if it still runs
        DriverTest::TearDown();
        for (std::size_t i = 0; i < std::size(kDesktopValues); ++i)
            SetRegistryString(HKEY_CURRENT_USER, kDesktop, kDesktopValues[i], desktopBefore[i].value_or(""));
        DeleteRegistryTree(HKEY_CURRENT_USER, kSavedRoot);
        DeleteFileW(WindowsBitmap().c_str());
    }

    App app;
    HWND main = nullptr;

    void Pictures(const std::wstring& into, const std::vector<std::pair<std::wstring, std::wstring>>& fromTo) {
        folder.MakeFolder(into);
        for (const auto& [from, to] : fromTo)
            ASSERT_TRUE(CopyFileW(DataFile(from).c_str(), folder.File(into + L"\\" + to).c_str(), FALSE));
    }

    // Starts MBTimer and finds its hidden main window; its caption is the tray tip.
    void Start() {
        app = App::Start(folder.File(L"MBTimer.exe"), L"", folder.Path());
        ASSERT_TRUE(app);
        WaitMain();
    }
    void WaitMain() {
        main = WaitWindow(Find{L"MBTimer.frmMain", L"", app.Pid(), false}, 10000);
        ASSERT_TRUE(main) << "MBTimer's main window";
    }

    // Double-clicks the tray icon; waits until the desktop values are written again.
    std::optional<Bitmap> Change() {
        // A mark the change overwrites; set only once our own bitmap is the wallpaper, so it is never saved.
        if (Desktop(L"TileWallpaper") == "0") SetRegistryString(HKEY_CURRENT_USER, kDesktop, L"TileWallpaper", "9");
        Post(main, kTrayCallback, 0, kLeftDoubleClick);
        // Bitmap first, then the values, then the shell's settings call that names the file.
        bool done = WaitFor(
            [] { return Desktop(L"TileWallpaper") == "0" && LastPart(Desktop(L"Wallpaper")) == "Murabell.bmp"; },
            10000);
        EXPECT_TRUE(done) << "no wallpaper change";
        return done ? ReadBitmap(Widen(Desktop(L"Wallpaper"))) : std::nullopt;
    }
    static std::string LastPart(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

    void ExpectStillRunning() {
        EXPECT_TRUE(app.Running());
        EXPECT_FALSE(WaitMessageBox(app.Pid(), 300)) << "no error box";
    }
};

TEST_F(Wallpaper, FirstStartWithoutWallPicsTellsCreatesAndDisables) {
    Start();
    auto box = WaitMessageBox(app.Pid(), 10000);
    ASSERT_TRUE(box);
    Shot("wallpics-box");
    EXPECT_EQ(box->title, L"MBTimer");
    EXPECT_EQ(box->icon, Icon::Information);
    EXPECT_EQ(box->text,
              L"画像用フォルダ【WallPics】を作成します。\r\n壁紙の変更を行うには、このフォルダ内に \r\n"
              L"画像ファイルを保存しておく必要があります。\r\n（単独での使用の場合）");
    Press(*box, IDOK);
    WaitMain();
    EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"【無効】"; }));
    // The icon stays the enabled one; an icon handle of another process cannot be drawn
    // here under Wine, so that part is left to the start-up state's own tests.
    DWORD attributes = GetFileAttributesW(folder.File(L"WallPics").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));

    // An empty pool shows the fallback picture and keeps the user's wallpaper saved.
    auto bmp = Change();
    ASSERT_TRUE(bmp);
    EXPECT_EQ(Shows(*bmp), "fallback");
    EXPECT_EQ(Saved(L"FileName"), userWallpaper);
    ExpectStillRunning();
}

TEST_F(Wallpaper, EachPictureOncePerPassAndTheUsersWallpaperKept) {
    Pictures(L"WallPics", {{L"a.bmp", L"a.bmp"}, {L"b.jpg", L"b.jpg"}, {L"c.jpeg", L"c.jpeg"}});
    Start();
    EXPECT_EQ(TextOf(main), L"【有効】");
    std::set<std::string> pass;
    for (int i = 0; i < 4; ++i) {
        auto bmp = Change();
        ASSERT_TRUE(bmp) << "change " << i + 1;
        std::string shown = Shows(*bmp);
        EXPECT_NE(shown, "?") << "change " << i + 1;
        EXPECT_NE(shown, "fallback") << "change " << i + 1;
        if (i < 3) {
            EXPECT_TRUE(pass.insert(shown).second) << shown << " shown twice in one pass";
        }
        EXPECT_EQ(Desktop(L"TileWallpaper"), "0");
        EXPECT_EQ(Desktop(L"WallpaperOriginX"), "0");
        EXPECT_EQ(Desktop(L"WallpaperOriginY"), "0");
        // Set once, from the user's wallpaper; our own bitmap never replaces it.
        EXPECT_EQ(Saved(L"FileName"), userWallpaper);
        EXPECT_EQ(Saved(L"CurrentX"), "3");
        EXPECT_EQ(Saved(L"CurrentY"), "4");
        EXPECT_EQ(Saved(L"Tiling"), "1");
    }
    EXPECT_EQ(pass, (std::set<std::string>{"a", "b", "c"}));
    std::string wallpaper = Desktop(L"Wallpaper");
    EXPECT_TRUE(Widen(wallpaper) == WindowsBitmap() ||
                wallpaper.find("\\MurabellCompanion\\Murabell.bmp") != std::string::npos)
        << wallpaper;
    ExpectStillRunning();
}

TEST_F(Wallpaper, DeletedAndCorruptPicturesGiveTheFallback) {
    Pictures(L"WallPics", {{L"a.bmp", L"gone.bmp"}});
    folder.Write(L"WallPics\\bad.jpg", "\xFF\xD8\xFF\xE0 not really a JPEG");
    Start();
    folder.Remove(L"WallPics\\gone.bmp");
    for (int i = 0; i < 3; ++i) {  // both pictures, then bad.jpg again in the next pass
        auto bmp = Change();
        ASSERT_TRUE(bmp) << "change " << i + 1;
        EXPECT_EQ(Shows(*bmp), "fallback") << "change " << i + 1;
        ExpectStillRunning();
    }
}

TEST_F(Wallpaper, CentreCommandPutsTheCurrentWallpaperAtTheOrigin) {
    Pictures(L"WallPics", {{L"a.bmp", L"a.bmp"}});
    Start();
    Post(main, WM_COMMAND, IDM_WALLCENTER, 0);
    EXPECT_TRUE(WaitFor([] { return Desktop(L"WallpaperOriginX") == "0"; }));
    EXPECT_EQ(Desktop(L"WallpaperOriginY"), "0");
    EXPECT_EQ(Desktop(L"TileWallpaper"), "0");
    EXPECT_EQ(Desktop(L"Wallpaper"), userWallpaper);
    EXPECT_EQ(Saved(L"FileName"), "<none>");
    ExpectStillRunning();
}

class HostMode : public Wallpaper {
protected:
    void SetUp() override {
        Wallpaper::SetUp();
        folder.CopyProgram(L"standins\\record_command_line.exe", L"MBSetCal.exe");
        Pictures(L"height pics", {{L"a.bmp", L"a.bmp"}, {L"b.jpg", L"b.jpg"}});
        Pictures(L"default pics", {{L"c.jpeg", L"c.jpeg"}});
    }
    std::string HeightKey() const {
        std::string key = "X";
        return key.append(std::to_string(GetSystemMetrics(SM_CYSCREEN)));
    }
    void HostIni(const std::string& folderSection) { folder.Write(L"Murabell.ini", "[Folder]\r\n" + folderSection); }
    std::string Pics(const std::wstring& sub) const { return Narrow(folder.File(sub)); }

    // The painter's command lines, waiting for `n` of them.
    std::vector<std::string> PainterStarts(std::size_t n) {
        std::vector<std::string> lines;
        WaitFor([&] {
            lines.clear();
            std::istringstream log(folder.Read(L"MBSetCal.log"));
            for (std::string line; std::getline(log, line);) lines.push_back(line);
            return lines.size() >= n;
        });
        return lines;
    }
    std::string PainterLine(const std::string& argument) const {
        std::string line = "\"";
        line.append(Narrow(folder.File(L"MBSetCal.exe"))).append("\"");
        if (!argument.empty()) line.append(" ").append(argument);
        return line;
    }
    std::vector<std::optional<std::string>> DesktopNow() const {
        std::vector<std::optional<std::string>> v;
        for (const auto& name : kDesktopValues) v.push_back(RegistryString(HKEY_CURRENT_USER, kDesktop, name));
        return v;
    }
    void DoubleClick() { Post(main, kTrayCallback, 0, kLeftDoubleClick); }
};

TEST_F(HostMode, HeightFolderPicturesGoToThePainterUnquoted) {
    HostIni("Setting=True\r\n" + HeightKey() + "=" + Pics(L"height pics") + "\r\nDefault=" + Pics(L"default pics") +
            "\r\n");
    Start();
    EXPECT_FALSE(folder.Exists(L"WallPics"));
    auto before = DesktopNow();
    DoubleClick();
    PainterStarts(1);
    DoubleClick();
    auto lines = PainterStarts(2);
    ASSERT_EQ(lines.size(), 2u);
    std::set<std::string> got(lines.begin(), lines.end()),
        want = {PainterLine(Pics(L"height pics\\a.bmp")), PainterLine(Pics(L"height pics\\b.jpg"))};
    EXPECT_EQ(got, want);
    EXPECT_EQ(DesktopNow(), before) << "the painter changes the desktop, not MBTimer";
    EXPECT_EQ(GetFileAttributesW(WindowsBitmap().c_str()), INVALID_FILE_ATTRIBUTES);
    ExpectStillRunning();
}

TEST_F(HostMode, DisplayChangeStartsThePainterWithoutArgument) {
    HostIni("Setting=True\r\n" + HeightKey() + "=" + Pics(L"height pics") + "\r\n");
    Start();
    Post(main, WM_DISPLAYCHANGE, 24, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_EQ(PainterStarts(1), std::vector<std::string>{PainterLine("")});
    ExpectStillRunning();
}

TEST_F(HostMode, NoFolderForThisHeightMeansNoPicturesNotDefault) {
    HostIni("Setting=True\r\nX1=" + Pics(L"height pics") + "\r\nDefault=" + Pics(L"default pics") + "\r\n");
    Start();
    EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"【無効】"; }));  // empty pool
    auto bmp = Change();                                                // an empty pool shows the fallback itself
    ASSERT_TRUE(bmp);
    EXPECT_EQ(Shows(*bmp), "fallback");
    Sleep(500);
    EXPECT_EQ(folder.Read(L"MBSetCal.log"), "");
    ExpectStillRunning();
}

TEST_F(HostMode, WithoutTheSwitchDefaultIsUsed) {
    HostIni(HeightKey() + "=" + Pics(L"height pics") + "\r\nDefault=" + Pics(L"default pics") + "\r\n");
    Start();
    EXPECT_EQ(TextOf(main), L"【有効】");
    DoubleClick();
    EXPECT_EQ(PainterStarts(1), std::vector<std::string>{PainterLine(Pics(L"default pics\\c.jpeg"))});
    ExpectStillRunning();
}

}  // namespace
}  // namespace mb::driver
