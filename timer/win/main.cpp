// MBTimer: resident in the tray, or hidden with "/H"; acts at the user's times.
#include "frmMain.h"
#include "logic/startup.h"
#include "text/wide.h"
#include "win/handles.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    mb::win::ComScope com;  // pictures are read through COM
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    mb::timer::frmMain form(instance);
    if (!form.Form_Load(mb::timer::ArgumentsOf(mb::Narrow(GetCommandLineW())))) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND message = form.MessageWindow();
        if (message && IsDialogMessageW(message, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
