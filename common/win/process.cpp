#include "win/process.h"

#include "outside_programs.h"
#include "text/wide.h"
#include "win/handles.h"

#include <windows.h>

#include <vector>

namespace mb::win {

std::string ErrorText(unsigned long code) {
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring w = n && text ? std::wstring(text, n) : L"Error " + std::to_wstring(code);
    if (text) LocalFree(text);
    while (!w.empty() && (w.back() == L'\r' || w.back() == L'\n' || w.back() == L' ')) w.pop_back();
    return Narrow(w);
}

bool StartProgram(const std::string& commandLine, int show, std::string* error) {
    std::wstring cmd = Widen(commandLine);
    std::vector<wchar_t> buffer(cmd.begin(), cmd.end());
    buffer.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        if (error) *error = ErrorText(GetLastError());
        return false;
    }
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
    return true;
}

std::string ProgramFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            std::wstring p(path.data(), n);
            p.erase(p.find_last_of(L'\\') + 1);
            return WithTrailingBackslash(Narrow(p));
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace mb::win
