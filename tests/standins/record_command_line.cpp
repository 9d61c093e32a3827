// Stand-in for a program the suite starts (MBTimer.exe, MBSetCal.exe, Murabell.exe):
// appends its command line as one UTF-8 line to "<its own name>.log" beside itself.
// Copy it into a test folder under the name of the program it stands for.
#include <windows.h>

#include <fstream>
#include <string>

#include "text/wide.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring log(self, n);
    log = log.substr(0, log.size() - 4) + L".log";
    std::ofstream out(log.c_str(), std::ios::binary | std::ios::app);
    out << mb::Narrow(GetCommandLineW()) << "\n";
    return 0;
}
