#include "frmProperty.h"

#include "text/wide.h"
#include "timer_resources.h"
#include "win/twips.h"
#include "win/window_object.h"

#include <stdexcept>

namespace mb::timer {

namespace {

constexpr wchar_t kClass[] = L"MBTimer.frmProperty";

std::runtime_error LastError(const char* what) {
    return std::runtime_error(std::string(what) + ": error " + std::to_string(GetLastError()));
}

}  // namespace

int ListBoxTimeList::Count() const { return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0)); }

std::string ListBoxTimeList::Text(int row) const {
    LRESULT n = SendMessageW(list_, LB_GETTEXTLEN, row, 0);
    if (n == LB_ERR) throw std::out_of_range("lstTime row");
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(list_, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
    text.resize(n == LB_ERR ? 0 : static_cast<size_t>(n));
    return Narrow(text);
}

long long ListBoxTimeList::Data(int row) const {
    LRESULT d = SendMessageW(list_, LB_GETITEMDATA, row, 0);
    if (d == LB_ERR) throw std::out_of_range("lstTime row");
    return d;
}

bool ListBoxTimeList::Checked(int row) const { return CheckedInRowData(Data(row)); }

int ListBoxTimeList::Tag(int row) const { return TagOfRowData(Data(row)); }

void ListBoxTimeList::Clear() { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

int ListBoxTimeList::Add(const std::string& text, int tag, bool checked) {
    // Placed by us rather than by the control's own sorting, which follows the
    // locale: the tick's scan needs plain character-code order.
    const int at = InsertPosition(*this, text);
    LRESULT row = SendMessageW(list_, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    if (row == LB_ERR || row == LB_ERRSPACE) throw std::bad_alloc();
    SendMessageW(list_, LB_SETITEMDATA, row, static_cast<LPARAM>(PackRowData(tag, checked)));
    return static_cast<int>(row);
}

void ListBoxTimeList::SetChecked(int row, bool checked) {
    SendMessageW(list_, LB_SETITEMDATA, row, static_cast<LPARAM>(PackRowData(Tag(row), checked)));
    RECT r;
    if (SendMessageW(list_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)) != LB_ERR) InvalidateRect(list_, &r, TRUE);
}

void ListBoxTimeList::Remove(int row) { SendMessageW(list_, LB_DELETESTRING, row, 0); }

frmProperty::frmProperty(HINSTANCE instance, mMain& main) : main_(main) {
    main_.tables.ActionFlags.assign(1, 0);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, kClass, &wc)) {
        wc.lpfnWndProc = WndProc;
        wc.hInstance = instance;
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ENABLED));
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClass;
        if (!RegisterClassExW(&wc)) throw LastError("RegisterClassEx");
    }
    RECT r{0, 0, win::TwipsToPixelsX(3990), win::TwipsToPixelsY(4845)};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    hwnd_.reset(CreateWindowExW(0, kClass, L"MBTimer[プロパティ]", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, this));
    if (!hwnd_) throw LastError("CreateWindowEx frmProperty");
    listHwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                win::TwipsToPixelsX(120), win::TwipsToPixelsY(870), win::TwipsToPixelsX(1755),
                                win::TwipsToPixelsY(2370), hwnd_.get(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LSTTIME)), instance, nullptr);
    if (!listHwnd_) throw LastError("CreateWindowEx lstTime");
    SendMessageW(listHwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    list_ = ListBoxTimeList(listHwnd_);
}

void frmProperty::DrawRow(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const bool selected = item.itemState & ODS_SELECTED;
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int h = item.rcItem.bottom - item.rcItem.top;
    RECT box{item.rcItem.left + 2, item.rcItem.top + 1, item.rcItem.left + h, item.rcItem.bottom - 1};
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (CheckedInRowData(static_cast<long long>(item.itemData))) state |= DFCS_CHECKED;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    std::wstring text = Widen(list_.Text(static_cast<int>(item.itemID)));
    RECT t = item.rcItem;
    t.left = box.right + 4;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

LRESULT CALLBACK frmProperty::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = win::WindowObject<frmProperty>(hwnd, msg, lp);
    switch (msg) {
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        m->itemHeight = win::TwipsToPixelsY(240);
        return TRUE;
    }
    case WM_DRAWITEM:
        if (self) self->DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_CLOSE:
        // The list must outlive the window's closing: the timer keeps reading it.
        ShowWindow(hwnd, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace mb::timer
