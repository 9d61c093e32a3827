#include "render_win/caleset_host_win.h"

#include "render_win/picture_box_win.h"
#include "text/wide.h"
#include "win/handles.h"

namespace mb::schedit::win {

int ScreenTwipsPerPixelX() {
    mb::win::WindowDc screen(nullptr);
    return 1440 / GetDeviceCaps(screen.get(), LOGPIXELSX);
}

int ScreenTwipsPerPixelY() {
    mb::win::WindowDc screen(nullptr);
    return 1440 / GetDeviceCaps(screen.get(), LOGPIXELSY);
}

GdiCaleSetHost::GdiCaleSetHost() : tppx_(ScreenTwipsPerPixelX()), tppy_(ScreenTwipsPerPixelY()) {
    for (int m = 0; m < 12; ++m) {
        wchar_t buf[80] = {};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + m, buf, 80);
        names_.full[m] = Narrow(buf);
        buf[0] = 0;
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + m, buf, 80);
        names_.abbreviated[m] = Narrow(buf);
    }
}

Date GdiCaleSetHost::Today() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

void GdiCaleSetHost::InformationBox(const std::string& text, const std::string& title) {
    MessageBoxW(GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_ICONINFORMATION);
}

std::string WindowControl::TypeName() const {
    if (PictureBoxWindow::FromHwnd(hwnd_)) return "PictureBox";
    wchar_t buf[128] = {};
    GetClassNameW(hwnd_, buf, 128);
    const std::wstring cls = buf;
    auto is = [&](const wchar_t* name) { return lstrcmpiW(cls.c_str(), name) == 0; };
    if (is(L"ListBox")) return "ListBox";
    if (is(L"ComboBox")) return "ComboBox";
    if (is(L"Edit")) return "TextBox";
    if (is(L"Static")) return "Label";
    if (is(L"msctls_statusbar32")) return "StatusBar";
    if (is(L"SysListView32")) return "ListView";
    if (is(L"Button")) {
        switch (GetWindowLongW(hwnd_, GWL_STYLE) & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return "CheckBox";
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return "OptionButton";
            case BS_GROUPBOX:
                return "Frame";
            default:
                return "CommandButton";
        }
    }
    if (!(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) return "Form";
    return Narrow(cls);
}

std::string WindowControl::Name() const {
    if (PictureBoxWindow* box = PictureBoxWindow::FromHwnd(hwnd_)) return box->Name();
    wchar_t buf[256] = {};
    GetWindowTextW(hwnd_, buf, 256);
    return Narrow(buf);
}

PictureBox* WindowControl::AsPictureBox() {
    return PictureBoxWindow::FromHwnd(hwnd_);
}

}  // namespace mb::schedit::win
