// MBTimer end to end: the real program in a folder whose name holds a space, driven
// the way a person would (tray callbacks, the tray menu, the message window), its
// effects read from MBTimer.ini, its windows and Wine's MCI trace.
// Tests that need "now" compute it and keep clear of minute boundaries.
#include "driver.h"
#include "ini/cInifile.h"
#include "logic/schedule.h"
#include "text/ansi.h"
#include "text/wide.h"

#include <gtest/gtest.h>
#include <psapi.h>
#include <shellapi.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>
#include <cstdio>
#include <string>
#include <vector>

namespace mb::driver {
namespace {

constexpr int kLabelId = 210;     // lblMessage
constexpr int kTimeListId = 200;  // lstTime
constexpr UINT kTrayCallback = WM_MOUSEMOVE;

std::string Le16(int v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
std::string Le32(unsigned v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

// A three-second tone: long enough to be still playing when it is stopped.
std::string Wav() {
    const int rate = 22050, samples = rate * 3;
    std::string data;
    for (int i = 0; i < samples; ++i) data += Le16(static_cast<int>(8000 * std::sin(2 * 3.14159265 * 440 * i / rate)));
    return "RIFF" + Le32(36 + static_cast<unsigned>(data.size())) + "WAVEfmt " + Le32(16) + Le16(1) + Le16(1) +
           Le32(rate) + Le32(rate * 2) + Le16(2) + Le16(16) + "data" + Le32(static_cast<unsigned>(data.size())) + data;
}

// A one-note MIDI file: Wine has no MIDI device, so only its command strings can be seen.
std::string Mid() {
    auto be32 = [](unsigned v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    };
    const std::string track("\x00\xFF\x51\x03\x07\xA1\x20\x00\x90\x3C\x60\x83\x60\x80\x3C\x00\x00\xFF\x2F\x00", 20);
    return "MThd" + be32(6) + std::string("\x00\x00\x00\x01\x01\xE0", 6) + "MTrk" +
           be32(static_cast<unsigned>(track.size())) + track;
}

// A 2 x 2 24-bit bitmap, so that the picture pool is not empty.
std::string Bmp() {
    std::string pixels(16, '\x40');
    return "BM" + Le32(54 + 16) + Le32(0) + Le32(54) + Le32(40) + Le32(2) + Le32(2) + Le16(1) + Le16(24) + Le32(0) +
           Le32(16) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0) + pixels;
}

struct LocalTime {
    int hour, minute, second;
};

LocalTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wHour, t.wMinute, t.wSecond};
}

std::string HhNn(int hour, int minute) {
    char s[8];
    std::snprintf(s, sizeof s, "%02d:%02d", (hour + minute / 60) % 24, minute % 60);
    return s;
}

// Returns the current minute once at least `seconds` of it are left.
LocalTime MinuteWithRoom(int seconds) {
    LocalTime t = Now();
    if (60 - t.second < seconds) {
        Sleep(static_cast<DWORD>((61 - t.second) * 1000));
        t = Now();
    }
    return t;
}

// Waits for the minute after `t` to begin; at once when it already has, so a slow
// first half of a test cannot make it skip a whole minute.
void WaitForMinuteAfter(const LocalTime& t) {
    while (Now().minute == t.minute) Sleep(100);
}

// The MCI command strings that Wine's trace shows, in order.
std::vector<std::string> MciCommands(const std::string& trace) {
    static const std::string kMark = "trace:mci:mciSendStringW (L\"";
    std::vector<std::string> out;
    for (size_t at = trace.find(kMark); at != std::string::npos; at = trace.find(kMark, at + 1)) {
        std::string cmd;
        for (size_t i = at + kMark.size(); i < trace.size() && trace[i] != '\n'; ++i) {
            if (trace[i] == '\\' && i + 1 < trace.size()) cmd += trace[++i];
            else if (trace[i] == '"') break;
            else cmd += trace[i];
        }
        out.push_back(cmd);
    }
    return out;
}

struct TrayColours {
    int yellow = 0;  // the enabled icon's face
    int red = 0;     // the disabled icon's "no" sign
};

// Counts the two icons' tell-tale colours in Wine's stand-alone tray window.
TrayColours TrayPixels() {
    TrayColours c;
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray) return c;
    RECT r;
    GetWindowRect(tray, &r);
    HDC screen = GetDC(nullptr);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            COLORREF p = GetPixel(screen, x, y);
            if (p == RGB(255, 255, 0)) ++c.yellow;
            if (p == RGB(255, 0, 0)) ++c.red;
        }
    ReleaseDC(nullptr, screen);
    return c;
}

// A copy of MBTimer started by way of the shell, known by its process id.
class Traced {
public:
    Traced() = default;
    explicit Traced(DWORD pid)
        : process_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)), pid_(pid) {}
    ~Traced() {
        if (!process_) return;
        if (Running()) TerminateProcess(process_, 99);
        CloseHandle(process_);
    }
    Traced(Traced&& o) noexcept : process_(std::exchange(o.process_, nullptr)), pid_(o.pid_) {}
    Traced& operator=(Traced&&) = delete;
    explicit operator bool() const { return process_ != nullptr; }
    DWORD Pid() const { return pid_; }
    bool Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    bool WaitExit(int ms) const { return !process_ || WaitForSingleObject(process_, static_cast<DWORD>(ms)) == WAIT_OBJECT_0; }

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

class Timer : public DriverTest {
protected:
    TestFolder folder;

    void SetUp() override {
        folder.CopyProgram(L"MBTimer.exe", L"MBTimer.exe");
        folder.MakeFolder(L"WallPics");
        folder.Write(L"WallPics\\a.bmp", Bmp());
        folder.Write(L"beep.wav", Wav());
        folder.Write(L"tune.mid", Mid());
    }

    void Ini(const std::string& utf8) const { folder.Write(L"MBTimer.ini", ToAnsi(utf8)); }
    std::string IniValue(const char* section, const char* key) const {
        cInifile ini;
        ini.FileName(Narrow(folder.File(L"MBTimer.ini")));
        return ini.ReadStr(section, key, "<none>");
    }
    std::string WavPath() const { return Narrow(folder.File(L"beep.wav")); }
    std::string MidPath() const { return Narrow(folder.File(L"tune.mid")); }

    App Start(const std::wstring& arguments = L"") const {
        return App::Start(folder.File(L"MBTimer.exe"), arguments, folder.Path());
    }
    // A second copy says it is one and ends.
    void SecondStart() const {
        App second = Start();
        auto box = WaitMessageBox(second.Pid());
        ASSERT_TRUE(box) << "no box from the second copy";
        EXPECT_EQ(box->title, L"MBTimer PrevInstance Check");
        EXPECT_EQ(box->text, L"このプログラムは既に起動しています。\r\nバックグラウンド処理中の場合は終了します。");
        EXPECT_EQ(box->icon, Icon::Information);
        Press(*box, IDOK);
        EXPECT_TRUE(second.WaitExit(5000));
    }
    // Wine writes its MCI trace to the Unix standard error of the process, which a
    // Windows parent cannot redirect: this copy is started through the shell.
    Traced StartTraced() const {
        CreateDirectoryW(DosPath(TraceFolder()).c_str(), nullptr);
        DeleteFileW(DosPath(TraceFile()).c_str());
        std::string cmd = "/bin/sh -c \"WINEDEBUG=-all,trace+mci exec /usr/bin/wine '" +
                          Narrow(folder.File(L"MBTimer.exe")) + "' 2>'" + TraceFile() + "'\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            ADD_FAILURE() << "cannot start the shell: error " << GetLastError();
            return {};
        }
        if (pi.hThread) CloseHandle(pi.hThread);
        if (pi.hProcess) CloseHandle(pi.hProcess);  // of no use for a Unix program
        HWND form = WaitWindow({L"MBTimer.frmMain", L"", 0, false}, 10000);
        if (!form) return {};
        DWORD pid = 0;
        GetWindowThreadProcessId(form, &pid);
        return Traced(pid);
    }
    static std::string TraceFolder() { return ScreenshotFolder() + "/../mci-traces"; }
    static std::string TraceFile() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return TraceFolder() + "/" + info->name() + ".log";
    }
    static std::vector<std::string> Mci() {
        std::ifstream in(DosPath(TraceFile()).c_str(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return MciCommands(text.str());
    }
    static bool WaitMci(const std::vector<std::string>& expected, int ms = 5000) {
        return WaitFor([&] { return Mci() == expected; }, ms);
    }

    template <typename P>
    static HWND MainForm(const P& app) { return WaitWindow({L"MBTimer.frmMain", L"", app.Pid(), false}); }
    static HWND TimeList(const App& app) {
        HWND property = WaitWindow({L"MBTimer.frmProperty", L"", app.Pid(), false});
        return property ? Child(property, kTimeListId) : nullptr;
    }
    template <typename P>
    static HWND MessageWindow(const P& app, int ms = 5000) {
        return WaitWindow({L"MBTimer.frmMessage", L"Message from MBTimer", app.Pid(), true}, ms);
    }
    // Opens the tray menu as a right click on the icon would, and picks an item by its key.
    static void TrayMenu(HWND form, wchar_t key) {
        Post(form, kTrayCallback, 0, WM_RBUTTONUP);
        HWND menu = WaitWindow({L"#32768", L"", 0, true});
        ASSERT_TRUE(menu) << "no tray menu";
        Sleep(200);
        Char(menu, key);
    }
    // Ends the program the normal way, so its tray icon goes with it.
    template <typename P>
    static void End(P& app, HWND form) {
        Post(form, WM_CLOSE);
        EXPECT_TRUE(app.WaitExit(5000));
    }
    static std::wstring Caption(HWND form) { return TextOf(form); }
};

std::wstring W(const std::string& s) { return Widen(s); }

TEST_F(Timer, AlarmAndMessageAtTheirMinuteThenStoppedByTheNext) {
    const LocalTime t = MinuteWithRoom(20);
    const std::string now = HhNn(t.hour, t.minute), next = HhNn(t.hour, t.minute + 1);
    Ini("[TimeSet]\r\n" + now + "=6,Wake $Time$ up $Time$," + WavPath() + "\r\n" + next + "=6,Second message," +
        MidPath() + "\r\n");
    Traced app = StartTraced();
    ASSERT_TRUE(app);
    HWND form = MainForm(app);
    ASSERT_TRUE(form);

    HWND message = MessageWindow(app);
    ASSERT_TRUE(message);
    EXPECT_EQ(TextOf(Child(message, kLabelId)), W("    Wake " + now + "  up $Time$    "));
    EXPECT_TRUE(GetWindowLongW(message, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(message, &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << "nothing saved yet: centred";
    EXPECT_TRUE(WaitMci({"open \"" + WavPath() + "\" alias SndMedia", "play SndMedia"})) << Mci().size();
    // As wide as its label, "確認" centred, and the red band across it blinking.
    HWND ok = Child(message, IDOK);
    EXPECT_EQ(TextOf(ok), L"確認");
    RECT client, label, button;
    GetClientRect(message, &client);
    GetWindowRect(Child(message, kLabelId), &label);
    EXPECT_EQ(label.right - label.left, client.right);
    EXPECT_TRUE(WaitFor([&] {
        GetWindowRect(ok, &button);
        MapWindowPoints(nullptr, message, reinterpret_cast<POINT*>(&button), 2);
        return std::abs(button.left + button.right - client.right) <= 1;
    }));
    POINT band{2, (button.top + button.bottom) / 2};
    ClientToScreen(message, &band);
    auto bandIs = [&](COLORREF colour) {
        return WaitFor([&] {
            HDC screen = GetDC(nullptr);
            COLORREF seen = GetPixel(screen, band.x, band.y);
            ReleaseDC(nullptr, screen);
            return seen == colour;
        });
    };
    EXPECT_TRUE(bandIs(RGB(255, 0, 0)) && bandIs(RGB(0, 0, 0)) && bandIs(RGB(255, 0, 0))) << "the band blinks";
    Shot("message");

    // Moved by the user and confirmed: its place is kept in twips.
    SetWindowPos(message, nullptr, 90, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Click(Child(message, IDOK));
    EXPECT_TRUE(WaitGone({L"MBTimer.frmMessage", L"", app.Pid(), false}));
    // Written as " 1350" and " 1800"; blanks around a value never survive reading.
    EXPECT_EQ(IniValue("Position", "MessageX"), "1350");
    EXPECT_EQ(IniValue("Position", "MessageY"), "1800");

    // The next minute: its first tick stops and closes the sound before its own
    // alarm (a .mid, by the same commands), and the next message opens where the
    // last one was confirmed.
    WaitForMinuteAfter(t);
    HWND second = MessageWindow(app);
    ASSERT_TRUE(second);
    EXPECT_EQ(TextOf(Child(second, kLabelId)), L"    Second message    ");
    GetWindowRect(second, &r);
    EXPECT_EQ(r.left, 90);
    EXPECT_EQ(r.top, 120);
    std::vector<std::string> sent{
        "open \"" + WavPath() + "\" alias SndMedia", "play SndMedia", "stop sndMedia", "close sndMedia",
        "open \"" + MidPath() + "\" alias SndMedia", "play SndMedia"};
    EXPECT_TRUE(WaitMci(sent)) << Mci().size();

    // The close box does not keep the place.
    SetWindowPos(second, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Post(second, WM_CLOSE);
    EXPECT_TRUE(WaitGone({L"MBTimer.frmMessage", L"", app.Pid(), false}));
    EXPECT_EQ(IniValue("Position", "MessageX"), "1350");

    // Ending the program stops and closes the sound that is still open.
    End(app, form);
    sent.insert(sent.end(), {"stop sndMedia", "close sndMedia"});
    EXPECT_EQ(Mci(), sent);
}

TEST_F(Timer, TrayMouseStopsTheSoundAndTheMenuSwitchesTheState) {
    const LocalTime t = MinuteWithRoom(20);
    Ini("[TimeSet]\r\n" + HhNn(t.hour, t.minute) + "=4, ," + WavPath() + "\r\n");
    Traced app = StartTraced();
    ASSERT_TRUE(app);
    HWND form = MainForm(app);
    ASSERT_TRUE(form);
    const std::vector<std::string> playing{"open \"" + WavPath() + "\" alias SndMedia", "play SndMedia"};
    ASSERT_TRUE(WaitMci(playing));
    EXPECT_EQ(Caption(form), L"【有効】");
    EXPECT_TRUE(WaitFor([] { return TrayPixels().yellow > 0; }));

    // Passing over the icon is enough.
    Post(form, kTrayCallback, 0, WM_MOUSEMOVE);
    EXPECT_TRUE(WaitMci({playing[0], playing[1], "stop sndMedia", "close sndMedia"}, 2000));

    TrayMenu(form, L'd');
    EXPECT_TRUE(WaitFor([&] { return Caption(form) == L"【無効】"; }));
    EXPECT_TRUE(WaitFor([] { TrayColours c = TrayPixels(); return c.red > 0 && c.yellow == 0; }));
    Shot("disabled");
    TrayMenu(form, L'e');
    EXPECT_TRUE(WaitFor([&] { return Caption(form) == L"【有効】"; }));
    EXPECT_TRUE(WaitFor([] { TrayColours c = TrayPixels(); return c.yellow > 0 && c.red == 0; }));

    // The menu's end stops nothing more (the sound is closed) and removes the icon.
    TrayMenu(form, L'x');
    EXPECT_TRUE(app.WaitExit(5000));
    EXPECT_TRUE(WaitFor([] { return TrayPixels().yellow == 0; }));
    EXPECT_EQ(Mci().size(), 4u);
}

TEST_F(Timer, SecondStartLeavesATrayCopyAlone) {
    Ini("[TimeSet]\r\n" + HhNn(Now().hour + 2, 0) + "=2,later,\r\n[PrevInstance]\r\nClose=False\r\n");
    App tray = Start();
    HWND form = MainForm(tray);
    ASSERT_TRUE(form);
    ASSERT_EQ(Caption(form), L"【有効】") << "the tray copy's timer runs, so it would obey a close request";

    SecondStart();
    Sleep(2500);  // two ticks of the tray copy
    EXPECT_TRUE(tray.Running());
    EXPECT_EQ(IniValue("PrevInstance", "Close"), "False");
    End(tray, form);
}

TEST_F(Timer, SecondStartEndsAHiddenCopy) {
    Ini("[TimeSet]\r\n" + HhNn(Now().hour + 2, 0) + "=2,later,\r\n");
    App hidden = Start(L"/h");
    ASSERT_TRUE(MainForm(hidden));
    ASSERT_TRUE(WaitFor([&] { return IniValue("PrevInstance", "Close") == "Hide"; }));
    EXPECT_TRUE(TopWindows(hidden.Pid()).empty()) << "no window";
    EXPECT_EQ(TrayPixels().yellow, 0) << "no tray icon";

    SecondStart();
    EXPECT_TRUE(hidden.WaitExit(2500));
    EXPECT_EQ(IniValue("PrevInstance", "Close"), "False");
}

TEST_F(Timer, HiddenCopyEndedByWindowsDoesNotLeaveHideBehind) {
    Ini("[TimeSet]\r\n" + HhNn(Now().hour + 2, 0) + "=2,later,\r\n");
    {
        App hidden = Start(L"/H");
        HWND form = MainForm(hidden);
        ASSERT_TRUE(form);
        ASSERT_TRUE(WaitFor([&] { return IniValue("PrevInstance", "Close") == "Hide"; }));
        EXPECT_EQ(Send(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        Post(form, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        EXPECT_TRUE(hidden.WaitExit(5000));
        EXPECT_EQ(IniValue("PrevInstance", "Close"), "False");
    }
    // So a later second start leaves the tray copy alone.
    App tray = Start();
    HWND form = MainForm(tray);
    ASSERT_TRUE(form);
    SecondStart();
    Sleep(2500);
    EXPECT_TRUE(tray.Running());
    EXPECT_EQ(IniValue("PrevInstance", "Close"), "False");
    End(tray, form);
}

TEST_F(Timer, HideLeftByAKilledHiddenCopyEndsNoTrayCopy) {
    Ini("[TimeSet]\r\n" + HhNn(Now().hour + 2, 0) + "=2,later,\r\n[PrevInstance]\r\nClose=Hide\r\n");
    App tray = Start();
    HWND form = MainForm(tray);
    ASSERT_TRUE(form);
    SecondStart();
    Sleep(2500);
    EXPECT_TRUE(tray.Running());
    EXPECT_EQ(IniValue("PrevInstance", "Close"), "False");
    End(tray, form);
}

TEST_F(Timer, HiddenWithAnEmptyScheduleSaysSoAndUsesTheTrayDisabled) {
    Ini("[TimeSet]\r\n");
    App app = Start(L"/H");
    auto box = WaitMessageBox(app.Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, L"MBTimer Data Error");
    EXPECT_EQ(box->text, L"有効なデータがありません。\r\nバックグラウンドで実行する意味がありません。\r\n"
                         L"タスクトレイにアイコンを登録します。");
    EXPECT_EQ(box->icon, Icon::Information);
    Press(*box, IDOK);
    HWND form = MainForm(app);
    ASSERT_TRUE(form);
    EXPECT_TRUE(WaitFor([] { TrayColours c = TrayPixels(); return c.red > 0 && c.yellow == 0; }));
    EXPECT_EQ(Caption(form), L"【無効】");
    EXPECT_EQ(IniValue("PrevInstance", "Close"), "<none>");

    // "有効にする(&E)" is greyed: choosing it does nothing.
    Post(form, kTrayCallback, 0, WM_RBUTTONUP);
    HWND menu = WaitWindow({L"#32768", L"", 0, true});
    ASSERT_TRUE(menu);
    Sleep(300);
    Shot("greyed-menu");
    Char(menu, L'e');
    Sleep(300);
    Key(menu, VK_ESCAPE);
    EXPECT_TRUE(WaitGone({L"#32768", L"", 0, true}));
    Sleep(500);
    EXPECT_EQ(Caption(form), L"【無効】");
    End(app, form);
}

TEST_F(Timer, EmptyPictureFolderStartsDisabledButCanBeEnabled) {
    folder.Remove(L"WallPics\\a.bmp");
    Ini("[TimeSet]\r\n" + HhNn(Now().hour + 2, 0) + "=2,later,\r\n");
    App app = Start();
    HWND form = MainForm(app);
    ASSERT_TRUE(form);
    EXPECT_TRUE(WaitFor([&] { return Caption(form) == L"【無効】"; }));
    EXPECT_TRUE(WaitFor([] { TrayColours c = TrayPixels(); return c.yellow > 0 && c.red == 0; }))
        << "the icon stays the enabled one";
    TrayMenu(form, L'e');
    EXPECT_TRUE(WaitFor([&] { return Caption(form) == L"【有効】"; }));
    End(app, form);
}

TEST_F(Timer, BadKeysAndValuesAreDroppedOnceTheRestLoads) {
    Ini("[TimeSet]\r\n"
        "10:00=6,Lunch,c:\\a.wav\r\n"
        "abc=1,$Time$,x\r\n"
        "7:05=1,$Time$,x\r\n"
        "08:00=1,Hello\r\n"
        "09:00=1,Hi, there,c:\\a.wav\r\n"
        "11:00=eleven,a,b\r\n");
    App app = Start();
    auto box = WaitMessageBox(app.Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, L"エラー");
    EXPECT_EQ(box->text, L"データに異常がありました。\r\n一部のデータは破棄されました。");
    EXPECT_EQ(box->icon, Icon::Information);
    Press(*box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box->hwnd); }));
    EXPECT_FALSE(WaitMessageBox(app.Pid(), 1000)) << "told once";

    HWND form = MainForm(app);
    ASSERT_TRUE(form);
    HWND list = TimeList(app);
    ASSERT_TRUE(list);
    EXPECT_EQ(ListTexts(list), (std::vector<std::wstring>{L"09:00", L"10:00", L"7:05"}));
    std::vector<std::pair<int, bool>> rows;
    for (int i = 0; i < ListCount(list); ++i)
        rows.emplace_back(timer::TagOfRowData(ListData(list, i)), timer::CheckedInRowData(ListData(list, i)));
    EXPECT_EQ(rows, (std::vector<std::pair<int, bool>>{{3, true}, {1, true}, {2, true}})) << "slots in file order";
    EXPECT_TRUE(app.Running());
    End(app, form);
}

TEST_F(Timer, EmptySectionIsDisabledWithoutAWord) {
    Ini("[TimeSet]\r\n[Position]\r\nMessageX= 15\r\n");
    App app = Start();
    HWND form = MainForm(app);
    ASSERT_TRUE(form);
    EXPECT_FALSE(WaitMessageBox(app.Pid(), 1000));
    EXPECT_EQ(Caption(form), L"【無効】");
    EXPECT_EQ(ListCount(TimeList(app)), 0);
    End(app, form);
}

TEST_F(Timer, RunTimeErrorIsReportedAndEndsTheProgram) {
    // Host mode whose painter disappears after start-up: the double-click's change fails.
    folder.CopyProgram(L"standins\\record_command_line.exe", L"MBSetCal.exe");
    folder.Write(L"Murabell.ini", "[Folder]\r\nSetting=True\r\nX" + std::to_string(GetSystemMetrics(SM_CYSCREEN)) +
                                      "=" + Narrow(folder.File(L"WallPics")) + "\r\n");
    Ini("[TimeSet]\r\n" + HhNn(Now().hour + 2, 0) + "=2,later,\r\n");
    App app = Start();
    HWND form = MainForm(app);
    ASSERT_TRUE(form);
    ASSERT_TRUE(WaitFor([] { return TrayPixels().yellow > 0; }));
    folder.Remove(L"MBSetCal.exe");
    Post(form, kTrayCallback, 0, WM_LBUTTONDBLCLK);
    auto box = WaitMessageBox(app.Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, L"エラーが発生しました");
    EXPECT_EQ(box->icon, Icon::Stop);
    EXPECT_EQ(box->text.rfind(L"L=0:N=", 0), 0u) << Narrow(box->text);
    EXPECT_NE(box->text.find(L"\r\nIn MouseMove.\r\n<"), std::wstring::npos) << Narrow(box->text);
    EXPECT_EQ(box->text.back(), L'>');
    Sleep(1500);
    EXPECT_TRUE(app.Running()) << "waits for the user";
    Press(*box, IDOK);
    EXPECT_TRUE(app.WaitExit(5000));
    EXPECT_TRUE(WaitFor([] { return TrayPixels().yellow == 0; })) << "the icon goes with the program";
}

TEST_F(Timer, TrayIconComesBackWhenTheTaskbarIsCreatedAgain) {
    Ini("[TimeSet]\r\n" + HhNn(Now().hour + 2, 0) + "=2,later,\r\n");
    App app = Start();
    HWND form = MainForm(app);
    ASSERT_TRUE(form);
    ASSERT_TRUE(WaitFor([] { return TrayPixels().yellow > 0; }));
    // The icon is lost as when Explorer ends ...
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = form;
    nid.uID = 1;
    Shell_NotifyIconW(NIM_DELETE, &nid);
    ASSERT_TRUE(WaitFor([] { return TrayPixels().yellow == 0; }));
    // ... and comes back, in its state, when the new taskbar announces itself.
    Post(form, RegisterWindowMessageW(L"TaskbarCreated"));
    EXPECT_TRUE(WaitFor([] { return TrayPixels().yellow > 0; }));
    End(app, form);
}

TEST_F(Timer, ManyTicksKeepHandlesAndMemory) {
    Ini("[TimeSet]\r\n" + HhNn(Now().hour + 2, 0) + "=2,later,\r\n");
    App app = Start();
    HWND form = MainForm(app);
    ASSERT_TRUE(form);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.Pid());
    ASSERT_TRUE(process);
    auto handles = [&] {
        DWORD n = 0;
        GetProcessHandleCount(process, &n);
        return n;
    };
    auto memory = [&] {
        PROCESS_MEMORY_COUNTERS m{};
        GetProcessMemoryInfo(process, &m, sizeof m);
        return m.PagefileUsage;
    };
    auto ticks = [&](int n) {
        for (int i = 0; i < n; ++i) Send(form, WM_TIMER, 1, 0);
    };
    ticks(500);  // let caches settle
    const DWORD handlesBefore = handles();
    const SIZE_T memoryBefore = memory();
    ticks(5000);
    EXPECT_LE(handles(), handlesBefore);
    EXPECT_LE(memory(), memoryBefore + 64 * 1024);
    CloseHandle(process);
    End(app, form);
}

}  // namespace
}  // namespace mb::driver
