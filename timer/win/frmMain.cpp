#include "frmMain.h"

#include "logic/startup.h"
#include "outside_programs.h"
#include "text/ansi.h"
#include "text/wide.h"
#include "timer_resources.h"
#include "win/process.h"
#include "win/twips.h"
#include "win/window_object.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <stdexcept>

namespace mb::timer {

namespace {

constexpr wchar_t kClass[] = L"MBTimer.frmMain";
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT_PTR kDisplayWait = 2;
constexpr UINT kTrayCallback = WM_MOUSEMOVE;  // the tray reports its mouse message in lParam
constexpr UINT kTrayId = 1;

class WinClock final : public Clock {
public:
    TimeOfDay Now() const override {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return {t.wHour, t.wMinute, t.wSecond};
    }
};

const WinClock kClock;

// The tray record in its first form: 88 bytes where pointers have 32 bits, the
// same fields (and a 64-byte tip) at the size this platform gives that form.
NOTIFYICONDATAA TrayRecord(HWND hwnd) {
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = hwnd;
    nid.uID = kTrayId;
    return nid;
}

// The first form's tip field has 64 bytes: at most 63 and a NUL, and a
// double-byte character is not cut in two.
void CopyTip(char* tip, const std::string& ansi) {
    constexpr size_t kTipField = 64;
    size_t n = 0;
    while (n < ansi.size()) {
        size_t step = IsDBCSLeadByte(static_cast<BYTE>(ansi[n])) ? 2 : 1;
        if (n + step > kTipField - 1) break;
        n += step;
    }
    ansi.copy(tip, n);
    tip[n] = '\0';
}

// The long form, so that a copy started through a short 8.3 path is still the same program.
std::wstring ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring full(GetLongPathNameW(path.c_str(), nullptr, 0), L'\0');
    DWORD n = full.empty() ? 0 : GetLongPathNameW(path.c_str(), full.data(), static_cast<DWORD>(full.size()));
    return n && n < full.size() ? full.substr(0, n) : path;
}

}  // namespace

void WinMci::SendStr(const std::string& command) {
    MciCommand = command;
    char buffer[512] = {};
    MCIERROR r = mciSendStringA(ToAnsi(command).c_str(), buffer, sizeof buffer, nullptr);
    MciReturn = FromAnsi(buffer);
    char error[512] = {};
    mciGetErrorStringA(r, error, sizeof error);
    MciError = FromAnsi(error);
}

frmMain::frmMain(HINSTANCE instance)
    : instance_(instance), gate_([this](bool running) { SetTimer1(running); }) {
    imgIcon_[0].reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_ENABLED), IMAGE_ICON, 32, 32, 0)));
    imgIcon_[1].reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_DISABLED), IMAGE_ICON, 32, 32, 0)));
    mnuPopup_.reset(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_POPUP)));
}

frmMain::~frmMain() {
    message_.reset();
    property_.reset();
    if (hwnd_) DestroyWindow(hwnd_);
}

HWND frmMain::MessageWindow() const { return message_ ? message_->Hwnd() : nullptr; }

template <typename F>
void frmMain::Guarded(std::string_view procedure, F&& f) {
    if (ending_ || unloaded_) return;
    try {
        f();
    } catch (const AlreadyReported&) {
        Unload();
    } catch (...) {
        Freeze();
        ReportCurrentException(procedure);
        Unload();
    }
}

template <typename F>
void frmMain::Reported(std::string_view procedure, F&& f) {
    try {
        f();
    } catch (const AlreadyReported&) {
        throw;
    } catch (...) {
        Freeze();
        ReportCurrentException(procedure);
        throw AlreadyReported{};
    }
}

// While the error box is open nothing else may run: the program ends after it.
void frmMain::Freeze() {
    ending_ = true;
    gate_.Enable(false);
}

void frmMain::CreateForm() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance_;
    wc.hIcon = imgIcon_[0].get();
    wc.lpszClassName = kClass;
    if (!RegisterClassExW(&wc)) throw std::runtime_error(win::ErrorText(GetLastError()));
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, Widen(kEnabledCaption).c_str(), WS_POPUP,
                            -win::TwipsToPixelsX(5000), 0, 1, 1, nullptr, nullptr, instance_, this);
    if (!hwnd_) throw std::runtime_error(win::ErrorText(GetLastError()));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

bool frmMain::Form_Load(const std::string& arguments) {
    bool running = false;
    Guarded("Form_Load", [&] {
        main_.AppFolder = win::ProgramFolder();
        const std::wstring exe = ExePath();
        std::wstring stem = exe.substr(exe.find_last_of(L'\\') + 1);
        stem = stem.substr(0, stem.find_last_of(L'.'));
        main_.TimerIni.FileName(main_.AppFolder + Narrow(stem) + ".ini");

        instance_lock_.reset(CreateMutexW(nullptr, FALSE, Widen(InstanceName(Narrow(exe))).c_str()));
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            MessageBoxW(nullptr, Widen(kPrevInstanceText).c_str(), Widen(kPrevInstanceTitle).c_str(),
                        MB_OK | MB_ICONINFORMATION);
            // A hidden copy ends at its next tick; a copy in the tray is left alone.
            if (main_.TimerIni.ReadStr("PrevInstance", "Close") == "Hide") {
                main_.TimerIni.WriteStr("PrevInstance", "Close", "True");
                main_.TimerIni.Refresh();
            }
            return;
        }
        ClearStaleCloseRequest(main_.TimerIni);

        CreateForm();
        Apply(state_);
        HasSetCal = HasSetCalIn(main_.AppFolder);
        wallpaper_.emplace(main_.AppFolder, HasSetCal, hwnd_);
        display_.emplace(gate_, static_cast<PicturePoolPort&>(*this), HasSetCal);
        Set_Collection();

        LoadOutcome loaded;
        Reported("Load_Data", [&] {
            if (!property_) property_ = std::make_unique<frmProperty>(instance_, main_);
            loaded = Load_Data(main_.TimerIni, property_->lstTime(), main_.tables);
            if (loaded.badData)
                MessageBoxW(nullptr, Widen(kBadDataText).c_str(), Widen(kBadDataTitle).c_str(), MB_OK | MB_ICONINFORMATION);
            Apply(AfterLoad(loaded.rows));
        });

        const StartupPlan plan = PlanStartup(state_, wallpaper_->PoolEmpty(), IsHiddenSwitch(arguments));
        Apply(plan.state);
        gate_.Enable(plan.timerRuns);
        if (plan.dataErrorBox)
            MessageBoxW(nullptr, Widen(kDataErrorText).c_str(), Widen(kDataErrorTitle).c_str(), MB_OK | MB_ICONINFORMATION);
        if (plan.trayIcon) {
            trayIcon_ = true;
            Show_IconInTray(NIM_ADD);
        }
        if (plan.hidden) {
            hidden_ = true;
            main_.TimerIni.WriteStr("PrevInstance", "Close", "Hide");
            main_.TimerIni.Refresh();
        }
        ShowWindow(hwnd_, SW_HIDE);
        running = true;
    });
    return running && !unloaded_;
}

void frmMain::Apply(const MainState& state) {
    state_ = state;
    SetWindowTextW(hwnd_, Widen(state.Caption()).c_str());
    HICON icon = imgIcon_[state.icon].get();
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    HMENU popup = GetSubMenu(mnuPopup_.get(), 0);
    ModifyMenuW(popup, IDM_YM, MF_BYCOMMAND | MF_STRING | (state.ymGreyed ? MF_GRAYED : MF_ENABLED), IDM_YM,
                Widen(state.YmCaption()).c_str());
}

void frmMain::Show_IconInTray(DWORD ADDorModify) {
    Guarded("Show_IconInTray", [&] {
        Reported("Show_IconInTray", [&] {
            NOTIFYICONDATAA nid = TrayRecord(hwnd_);
            nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
            nid.uCallbackMessage = kTrayCallback;
            nid.hIcon = imgIcon_[state_.icon].get();
            CopyTip(nid.szTip, ToAnsi(state_.Caption()));
            Shell_NotifyIconA(ADDorModify, &nid);
        });
    });
}

void frmMain::SetTimer1(bool running) {
    if (!hwnd_) return;
    if (running) SetTimer(hwnd_, kTimer1, 1000, nullptr);
    else KillTimer(hwnd_, kTimer1);
}

void frmMain::Timer() {
    if (!gate_.Running()) return;  // a tick still queued when Timer1 stopped
    Guarded("Timer", [&] {
        Ticker::Result result;
        {
            // Boxes inside the actions let events run; no tick may start meanwhile.
            TimerHold hold(gate_);
            result = ticker_.Tick(main_.TimerIni, property_->lstTime(), main_.tables, kClock, *this);
        }
        if (result == Ticker::Result::CloseRequested) Unload();
    });
}

bool frmMain::FileExists(const std::string& path) const {
    DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void frmMain::PLay_Sound(const std::string& file) {
    Reported("PLay_Sound", [&] { sound_.PLay_Sound(file); });
}

void frmMain::ShowMessage(const std::string& caption) {
    message_.reset();
    message_ = std::make_unique<frmMessage>(instance_, main_.TimerIni, caption);
    message_->Show();
}

void frmMain::ChangeWallpaper() { wallpaper_->Change(); }

bool frmMain::Set_Collection() {
    bool fromHostFolder = false;
    Reported("Set_Collection", [&] { fromHostFolder = wallpaper_->Set_Collection(); });
    return fromHostFolder;
}

void frmMain::StartPainter() { wallpaper_->StartPainter(); }

void frmMain::MouseMove(LPARAM mouseMessage) {
    Guarded("MouseMove", [&] {
        // Any contact with the icon, even passing over it, silences the alarm.
        sound_.Stop();
        if (mouseMessage == WM_RBUTTONUP) ShowPopup();
        else if (mouseMessage == WM_LBUTTONDBLCLK) wallpaper_->Change();
    });
}

void frmMain::ShowPopup() {
    // The menu closes properly only when its owner is the foreground window.
    SetWindowPos(hwnd_, nullptr, -win::TwipsToPixelsX(5000), 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(GetSubMenu(mnuPopup_.get(), 0), TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void frmMain::nmuYM_Click() {
    Guarded("nmuYM_Click", [&] {
        Apply(Toggled(state_));
        gate_.Enable(state_.enabled);
        Show_IconInTray(NIM_MODIFY);
    });
}

void frmMain::DisplayChanged() {
    Guarded("SysInfo1_DisplayChanged", [&] {
        // Waited for with a timer, not a busy loop: events go on, Timer1 stays held.
        if (display_->Changed()) SetTimer(hwnd_, kDisplayWait, DisplayChange::kWaitMs, nullptr);
        else KillTimer(hwnd_, kDisplayWait);
    });
}

void frmMain::DisplayWaitOver() {
    KillTimer(hwnd_, kDisplayWait);
    Guarded("SysInfo1_DisplayChanged", [&] { display_->WaitOver(); });
}

void frmMain::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    gate_.Enable(false);
    if (hwnd_) KillTimer(hwnd_, kDisplayWait);
    sound_.Stop();
    NOTIFYICONDATAA nid = TrayRecord(hwnd_);
    Shell_NotifyIconA(NIM_DELETE, &nid);
    // However a hidden copy ends, it says so; a stale "Hide" would make the next
    // second start end a tray copy nobody asked to end.
    if (hidden_) {
        main_.TimerIni.WriteStr("PrevInstance", "Close", "False");
        main_.TimerIni.Refresh();
    }
    message_.reset();
    if (property_ && property_->Hwnd()) ShowWindow(property_->Hwnd(), SW_HIDE);
    // The list itself goes with the form's object, after the last event: a tick
    // that let events run may still be reading it.
    if (hwnd_) DestroyWindow(hwnd_);
    else PostQuitMessage(0);
}

LRESULT frmMain::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        // Explorer restarted: the icon comes back as it was.
        if (trayIcon_ && !unloaded_) Show_IconInTray(NIM_ADD);
        return 0;
    }
    switch (msg) {
    case WM_TIMER:
        if (wp == kTimer1) Timer();
        else if (wp == kDisplayWait) DisplayWaitOver();
        return 0;
    case kTrayCallback:
        MouseMove(lp);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDM_YM: nmuYM_Click(); break;
        case IDM_WALLCENTER: Guarded("mnuWallCenter_Click", [] { WallpaperChanger::Centering(); }); break;
        case IDM_PROPERTY: Guarded("mnuPloperty_Click", [&] { property_->ShowModeless(); }); break;
        case IDM_CLOSE: Unload(); break;
        }
        return 0;
    case WM_DISPLAYCHANGE:
        DisplayChanged();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wp) Unload();
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_DESTROY:
        hwnd_ = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK frmMain::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = win::WindowObject<frmMain>(hwnd, msg, lp);
    if (msg == WM_NCCREATE && self) self->hwnd_ = hwnd;
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->Handle(msg, wp, lp);
}

}  // namespace mb::timer
