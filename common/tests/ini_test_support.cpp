#include "ini_test_support.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#include "text/wide.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace mb::test {
namespace fs = std::filesystem;

namespace {
fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}
std::string Utf8Of(const fs::path& p) {
    std::u8string s = p.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}
fs::path ExeFolder() {
#ifdef _WIN32
    wchar_t buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    return fs::path(std::wstring(buf, n)).parent_path();
#else
    return fs::read_symlink("/proc/self/exe").parent_path();
#endif
}
}  // namespace

TempFolder::TempFolder() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("mbtest" + std::to_string(rd()));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempFolder::File(const std::string& name) const { return Utf8Of(path_ / PathOf(name)); }

std::string ReadBytes(const std::string& utf8Path) {
    std::ifstream in(PathOf(utf8Path), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteBytes(const std::string& utf8Path, const std::string& bytes) {
    std::ofstream out(PathOf(utf8Path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& utf8Path) { return fs::exists(PathOf(utf8Path)); }

int RunBeside(const std::string& program, const std::string& arguments) {
#ifdef _WIN32
    std::wstring cmd = L"\"" + (ExeFolder() / (Widen(program) + L".exe")).wstring() + L"\" " + Widen(arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
#else
    std::string cmd = "'" + (ExeFolder() / program).string() + "' " + arguments;
    int r = std::system(cmd.c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
#endif
}

bool UnderWine() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

}  // namespace mb::test
