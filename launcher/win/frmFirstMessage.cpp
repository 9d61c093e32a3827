#include "frmFirstMessage.h"

#include "resource.h"
#include "text/wide.h"
#include "win/window_object.h"
#include "win/twips.h"

namespace mb::launcher {
namespace {

constexpr wchar_t kClass[] = L"MBTimerH.frmFirstMessage";
constexpr int kIdText1 = 101, kIdClose = IDOK, kIdChkMsg = 102, kIdCancel = 103;

struct Place { int left, top, width, height; };  // twips
constexpr Place kText1{0, 0, 6135, 2115};
constexpr Place kClose{720, 2640, 1245, 405};
constexpr Place kChkMsg{360, 2190, 2505, 375};
constexpr Place kCancel{2160, 2670, 2055, 375};
constexpr int kInnerWidth = 4980, kInnerHeight = 3225;

HWND Create(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, const Place& p, int id,
            HINSTANCE inst, HFONT font) {
    HWND h = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, win::TwipsToPixelsX(p.left),
                             win::TwipsToPixelsY(p.top), win::TwipsToPixelsX(p.width), win::TwipsToPixelsY(p.height),
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

}  // namespace

frmFirstMessage::frmFirstMessage(HINSTANCE instance) : instance_(instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &frmFirstMessage::Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LAUNCHER));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
}

NoteOutcome frmFirstMessage::ShowModal() {
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r{0, 0, win::TwipsToPixelsX(kInnerWidth), win::TwipsToPixelsY(kInnerHeight)};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    int w = r.right - r.left, h = r.bottom - r.top;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int x = work.left + (work.right - work.left - w) / 2, y = work.top + (work.bottom - work.top - h) / 2;
    hwnd_ = CreateWindowExW(0, kClass, L"Read First [MBTimerH]", style, x, y, w, h, nullptr, nullptr, instance_, this);
    if (!hwnd_) return outcome_;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetFocus(cmdClose_);
    MSG msg;
    while (!closed_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return outcome_;
}

LRESULT CALLBACK frmFirstMessage::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = win::WindowObject<frmFirstMessage>(h, msg, lp);
    if (msg == WM_NCCREATE && self) self->hwnd_ = h;
    return self ? self->Handle(msg, wp, lp) : DefWindowProcW(h, msg, wp, lp);
}

LRESULT frmFirstMessage::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lp));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wp));
        return 0;
    case WM_CTLCOLORSTATIC:
        // A read-only edit is drawn like a static; keep the note on white.
        if (reinterpret_cast<HWND>(lp) == text1_) {
            SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_CLOSE:  // the close box counts as OK
        CloseNote();
        return 0;
    case WM_DESTROY:
        closed_ = true;
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void frmFirstMessage::OnCreate() {
    font_.reset(win::CreatePointFont(L"ＭＳ Ｐゴシック", 9));
    HFONT f = font_.get();
    // Created in tab order: Text1, cmdClose, chkMsg, cmdCancel.
    text1_ = Create(hwnd_, L"EDIT", Widen(NoteText()).c_str(),
                    WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kText1, kIdText1, instance_, f);
    cmdClose_ = Create(hwnd_, L"BUTTON", L"&OK", BS_DEFPUSHBUTTON, kClose, kIdClose, instance_, f);
    chkMsg_ = Create(hwnd_, L"BUTTON", L"次回から表示しない", BS_AUTOCHECKBOX, kChkMsg, kIdChkMsg, instance_, f);
    cmdCancel_ = Create(hwnd_, L"BUTTON", L"実行を中止する(&Q)", BS_PUSHBUTTON, kCancel, kIdCancel, instance_, f);
    RECT client;
    GetClientRect(hwnd_, &client);
    OnSize(client.right);
}

void frmFirstMessage::OnSize(int width) {
    if (!text1_) return;
    RECT r;
    GetWindowRect(text1_, &r);
    SetWindowPos(text1_, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

void frmFirstMessage::OnCommand(int id) {
    if (id == kIdClose) {
        CloseNote();
    } else if (id == kIdCancel) {
        outcome_.cancelled = true;
        CloseNote();
    }
}

void frmFirstMessage::CloseNote() {
    outcome_.dontShowAgain = SendMessageW(chkMsg_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    DestroyWindow(hwnd_);
}

}  // namespace mb::launcher
