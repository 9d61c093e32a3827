#include "frmMessage.h"

#include "text/wide.h"
#include "timer_resources.h"
#include "win/twips.h"
#include "win/window_object.h"

#include <stdexcept>
#include <vector>

namespace mb::timer {

namespace {

constexpr wchar_t kClass[] = L"MBTimer.frmMessage";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;  // fixed single border, close box only
constexpr UINT_PTR kBlinkTimer = 1;
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

void Register(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, kClass, &wc)) return;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ENABLED));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClass;
    if (!RegisterClassExW(&wc)) throw std::runtime_error("RegisterClassEx frmMessage: error " + std::to_string(GetLastError()));
}

SIZE TextSize(HFONT font, const std::wstring& text) {
    win::WindowDc screen(nullptr);
    win::Selected use(screen.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace

Screen CurrentScreen() {
    Screen s;
    s.twipsPerPixelX = 1440 / win::ScreenDpiX();
    s.twipsPerPixelY = 1440 / win::ScreenDpiY();
    s.primary = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT r, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<PixelRect>*>(p)->push_back({r->left, r->top, r->right, r->bottom});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s.monitors));
    if (s.monitors.empty()) s.monitors.push_back(s.primary);
    return s;
}

frmMessage::frmMessage(HINSTANCE instance, const cInifile& TimerIni, const std::string& caption)
    : TimerIni_(TimerIni),
      labelFont_(win::CreatePointFont(L"ＭＳ Ｐゴシック", 14.25, true)),
      buttonFont_(win::CreatePointFont(L"ＭＳ Ｐゴシック", 9)),
      red_(CreateSolidBrush(kRed)) {
    Register(instance, WndProc);
    const std::wstring text = Widen(caption);
    // The label sizes itself to its text on one line; the window is as wide as the label.
    const SIZE label = TextSize(labelFont_.get(), text);
    RECT outer{0, 0, label.cx, win::TwipsToPixelsY(855)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    hwnd_ = CreateWindowExW(0, kClass, L"Message from MBTimer", kStyle, 0, 0, outer.right - outer.left,
                            outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (!hwnd_) throw std::runtime_error("CreateWindowEx frmMessage: error " + std::to_string(GetLastError()));
    lblMessage_ = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0,
                                  label.cx, label.cy, hwnd_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LBLMESSAGE)), instance, nullptr);
    cmdOK_ = CreateWindowExW(0, L"BUTTON", L"確認", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                             win::TwipsToPixelsX(1440), win::TwipsToPixelsY(450), win::TwipsToPixelsX(1125),
                             win::TwipsToPixelsY(345), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)),
                             instance, nullptr);
    if (!lblMessage_ || !cmdOK_) throw std::runtime_error("CreateWindowEx frmMessage controls: error " + std::to_string(GetLastError()));
    SendMessageW(lblMessage_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
    SendMessageW(cmdOK_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), FALSE);
    TopMost(true);
}

frmMessage::~frmMessage() {
    // Replaced or ended with the program: gone without keeping its place.
    if (hwnd_) DestroyWindow(hwnd_);
}

void frmMessage::TopMost(bool vData) {
    SetWindowPos(hwnd_, vData ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    topMost_ = vData;
}

void frmMessage::Show() {
    RECT r;
    GetWindowRect(hwnd_, &r);
    PixelPoint at = PlaceMessage(TimerIni_.ReadStr("Position", "MessageX"), TimerIni_.ReadStr("Position", "MessageY"),
                                 r.right - r.left, r.bottom - r.top, CurrentScreen());
    SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, SW_SHOW);
}

RECT frmMessage::Band() const {
    RECT client, button;
    GetClientRect(hwnd_, &client);
    GetWindowRect(cmdOK_, &button);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&button), 2);
    return {0, button.top, client.right, button.bottom};
}

void frmMessage::Form_Paint() {
    RECT client, button;
    GetClientRect(hwnd_, &client);
    GetWindowRect(cmdOK_, &button);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&button), 2);
    const int left = (client.right - (button.right - button.left)) / 2;
    if (left != button.left) SetWindowPos(cmdOK_, nullptr, left, button.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (bandShown_) {
        RECT band = Band();
        FillRect(dc, &band, red_.get());
    }
    EndPaint(hwnd_, &ps);
    if (!timerRunning_) timerRunning_ = SetTimer(hwnd_, kBlinkTimer, 500, nullptr) != 0;
}

void frmMessage::Timer1_Timer() {
    bandShown_ = !blinkOn_;
    blinkOn_ = !blinkOn_;
    RECT band = Band();
    InvalidateRect(hwnd_, &band, TRUE);
}

void frmMessage::cmdOK_Click() {
    RECT r;
    GetWindowRect(hwnd_, &r);
    const Screen s = CurrentScreen();
    TimerIni_.WriteStr("Position", "MessageX", FormatPosition(PixelsToTwips(r.left, s.twipsPerPixelX)));
    TimerIni_.WriteStr("Position", "MessageY", FormatPosition(PixelsToTwips(r.top, s.twipsPerPixelY)));
    TimerIni_.Refresh();
    TopMost(false);
    DestroyWindow(hwnd_);
}

LRESULT frmMessage::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        Form_Paint();
        return 0;
    case WM_TIMER:
        if (wp == kBlinkTimer) Timer1_Timer();
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, kYellow);
        SetBkColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    }
    case WM_COMMAND:
        // Enter and Esc come as IDOK and IDCANCEL: 確認 is default and cancel button.
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) cmdOK_Click();
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd_, kBlinkTimer);
        hwnd_ = nullptr;
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK frmMessage::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = win::WindowObject<frmMessage>(hwnd, msg, lp);
    if (msg == WM_NCCREATE && self) self->hwnd_ = hwnd;
    if (!self || !self->hwnd_) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->Handle(msg, wp, lp);
}

}  // namespace mb::timer
