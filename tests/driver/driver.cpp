#include "driver.h"

#include "text/wide.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace mb::driver {

// ---- Processes -------------------------------------------------------------
App::~App() { Kill(); }

App::App(App&& o) noexcept : process_(std::exchange(o.process_, nullptr)), pid_(std::exchange(o.pid_, 0)) {}

App& App::operator=(App&& o) noexcept {
    if (this != &o) {
        Kill();
        process_ = std::exchange(o.process_, nullptr);
        pid_ = std::exchange(o.pid_, 0);
    }
    return *this;
}

App App::Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder) {
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!arguments.empty()) cmd += L" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    App app;
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        ADD_FAILURE() << "cannot start " << Narrow(exe) << ": error " << GetLastError();
        return app;
    }
    CloseHandle(pi.hThread);
    WaitForInputIdle(pi.hProcess, 5000);
    app.process_ = pi.hProcess;
    app.pid_ = pi.dwProcessId;
    return app;
}

bool App::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool App::WaitExit(int ms) const { return !process_ || WaitForSingleObject(process_, static_cast<DWORD>(ms)) == WAIT_OBJECT_0; }

DWORD App::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

void App::Kill() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    pid_ = 0;
}

// ---- Windows ---------------------------------------------------------------
std::wstring ClassOf(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

std::wstring TextOf(HWND h) {
    LRESULT n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    LRESULT got = SendMessageW(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

void SetTextOf(HWND h, const std::wstring& text) { SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }

HWND Child(HWND parent, int id) { return GetDlgItem(parent, id); }

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> out;
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND ChildByText(HWND parent, const std::wstring& className, const std::wstring& text) {
    for (HWND h : Children(parent)) {
        if (!className.empty() && _wcsicmp(ClassOf(h).c_str(), className.c_str()) != 0) continue;
        if (!text.empty() && TextOf(h) != text) continue;
        return h;
    }
    return nullptr;
}

namespace {
struct Search {
    const Find* find;
    std::vector<HWND> found;
};

bool Matches(HWND h, const Find& f) {
    if (f.visibleOnly && !IsWindowVisible(h)) return false;
    if (f.pid) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid != f.pid) return false;
    }
    if (!f.className.empty() && ClassOf(h) != f.className) return false;
    if (!f.caption.empty() && TextOf(h) != f.caption) return false;
    return true;
}

std::vector<HWND> FindAll(const Find& f) {
    Search s{&f, {}};
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (Matches(h, *s->find)) s->found.push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}
}  // namespace

HWND FindTopWindow(const Find& f) {
    auto all = FindAll(f);
    return all.empty() ? nullptr : all.front();
}

HWND WaitWindow(const Find& f, int ms) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindTopWindow(f)) != nullptr; }, ms);
    return found;
}

bool WaitGone(const Find& f, int ms) {
    return WaitFor([&] { return FindTopWindow(f) == nullptr; }, ms);
}

std::vector<HWND> TopWindows(DWORD pid, bool visibleOnly) {
    Find f;
    f.pid = pid;
    f.visibleOnly = visibleOnly;
    return FindAll(f);
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
void Post(HWND h, UINT msg, WPARAM wp, LPARAM lp) { PostMessageW(h, msg, wp, lp); }
LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp) { return SendMessageW(h, msg, wp, lp); }

void Key(HWND h, UINT vk) {
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(h, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageW(h, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void Char(HWND h, wchar_t c) { PostMessageW(h, WM_CHAR, c, 1); }

bool IsChecked(HWND checkBox) { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

int ListCount(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }

std::wstring ListText(HWND list, int index) {
    LRESULT n = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (n < 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return text;
}

std::vector<std::wstring> ListTexts(HWND list) {
    std::vector<std::wstring> out;
    for (int i = 0, n = ListCount(list); i < n; ++i) out.push_back(ListText(list, i));
    return out;
}

LRESULT ListData(HWND list, int index) { return SendMessageW(list, LB_GETITEMDATA, index, 0); }

int ListSelection(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

void ListSelect(HWND list, int index) {
    SendMessageW(list, LB_SETCURSEL, index, 0);
    PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

// ---- Message boxes ---------------------------------------------------------
namespace {
// Icon handles are not comparable across processes under Wine, so the icon is told
// by its pixels: what the box shows against each system icon drawn here on the same
// background.
std::vector<COLORREF> Pixels(HDC dc, int w, int h) {
    std::vector<COLORREF> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.push_back(GetPixel(dc, x, y));
    return out;
}

Icon IconOf(HWND box) {
    HWND still = GetDlgItem(box, 0x440);  // the icon's static in the platform's message box
    if (!still || !SendMessageW(still, STM_GETICON, 0, 0)) return Icon::None;
    const int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
    RECT r;
    GetWindowRect(still, &r);
    HDC screen = GetDC(nullptr);
    HDC shown = CreateCompatibleDC(screen), drawn = CreateCompatibleDC(screen);
    HBITMAP shownBmp = CreateCompatibleBitmap(screen, w, h), drawnBmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldShown = SelectObject(shown, shownBmp), oldDrawn = SelectObject(drawn, drawnBmp);
    BitBlt(shown, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    std::vector<COLORREF> seen = Pixels(shown, w, h);
    COLORREF background = GetPixel(shown, 0, 0);
    struct { LPCWSTR id; Icon kind; } known[] = {
        {IDI_HAND, Icon::Stop}, {IDI_EXCLAMATION, Icon::Exclamation},
        {IDI_QUESTION, Icon::Question}, {IDI_ASTERISK, Icon::Information}};
    Icon best = Icon::Unknown;
    size_t bestDiff = seen.size() / 10;  // more than 10 % of the pixels off: none of them
    HBRUSH brush = CreateSolidBrush(background);
    for (const auto& k : known) {
        RECT all{0, 0, w, h};
        FillRect(drawn, &all, brush);
        DrawIconEx(drawn, 0, 0, LoadIconW(nullptr, k.id), w, h, 0, nullptr, DI_NORMAL);
        std::vector<COLORREF> mine = Pixels(drawn, w, h);
        size_t diff = 0;
        for (size_t i = 0; i < mine.size(); ++i) diff += mine[i] != seen[i];
        if (diff < bestDiff) {
            bestDiff = diff;
            best = k.kind;
        }
    }
    DeleteObject(brush);
    SelectObject(shown, oldShown);
    SelectObject(drawn, oldDrawn);
    DeleteObject(shownBmp);
    DeleteObject(drawnBmp);
    DeleteDC(shown);
    DeleteDC(drawn);
    ReleaseDC(nullptr, screen);
    return best;
}
}  // namespace

std::optional<MessageBoxInfo> WaitMessageBox(DWORD pid, int ms) {
    std::optional<MessageBoxInfo> result;
    WaitFor(
        [&] {
            Find f;
            f.className = L"#32770";
            f.pid = pid;
            for (HWND h : FindAll(f)) {
                HWND text = GetDlgItem(h, 0xFFFF);
                if (!text) continue;
                Sleep(300);  // a box captured at once is still blank
                MessageBoxInfo info;
                info.hwnd = h;
                info.title = TextOf(h);
                info.text = TextOf(text);
                info.icon = IconOf(h);
                for (HWND c : Children(h))
                    if (_wcsicmp(ClassOf(c).c_str(), L"Button") == 0) info.buttons.emplace_back(GetDlgCtrlID(c), TextOf(c));
                result = info;
                return true;
            }
            return false;
        },
        ms);
    return result;
}

void Press(const MessageBoxInfo& box, int id) { PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// ---- Screen ----------------------------------------------------------------
std::string ScreenshotFolder() {
    std::string bin = MB_BIN_DIR;
    return bin.substr(0, bin.find_last_of('/')) + "/screenshots";
}

bool Screenshot(const std::string& unixPath) {
    // Linux programs start by their Unix path under Wine; the handle is of no use,
    // so wait for the file to appear and stop growing.
    std::string folder = unixPath.substr(0, unixPath.find_last_of('/'));
    CreateDirectoryW(DosPath(folder).c_str(), nullptr);
    std::wstring file = DosPath(unixPath);
    DeleteFileW(file.c_str());
    std::string cmd = "/usr/bin/import -window root " + unixPath;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    LONGLONG last = -1;
    return WaitFor(
        [&] {
            WIN32_FILE_ATTRIBUTE_DATA data;
            if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return false;
            LONGLONG size = (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            bool stable = size > 0 && size == last;
            last = size;
            return stable;
        },
        10000);
}

// ---- Files -----------------------------------------------------------------
std::wstring DosPath(const std::string& unixPath) {
    std::wstring w = L"Z:" + Widen(unixPath);
    for (wchar_t& c : w)
        if (c == L'/') c = L'\\';
    return w;
}

std::wstring BinDir() { return DosPath(MB_BIN_DIR) + L"\\"; }

TestFolder::TestFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::random_device rd;
    path_ = std::wstring(temp) + L"mb test " + std::to_wstring(rd() % 1000000000u) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
}

namespace {
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + L"\\");
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(folder.c_str());
}
}  // namespace

TestFolder::~TestFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (info && info->result() && info->result()->Failed()) return;  // keep it to look at
    RemoveTree(path_);
}

void TestFolder::CopyProgram(const std::wstring& fromBin, const std::wstring& asName) const {
    if (!CopyFileW((BinDir() + fromBin).c_str(), File(asName).c_str(), FALSE))
        ADD_FAILURE() << "cannot copy " << Narrow(fromBin) << ": error " << GetLastError();
}

void TestFolder::Write(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(File(name).c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestFolder::Read(const std::wstring& name) const {
    std::ifstream in(File(name).c_str(), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool TestFolder::Exists(const std::wstring& name) const {
    return GetFileAttributesW(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TestFolder::Remove(const std::wstring& name) const { DeleteFileW(File(name).c_str()); }

void TestFolder::MakeFolder(const std::wstring& name) const { CreateDirectoryW(File(name).c_str(), nullptr); }

// ---- Registry ----------------------------------------------------------------
std::optional<std::string> RegistryString(HKEY root, const std::wstring& key, const std::wstring& value) {
    HKEY k;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<std::string> result;
    if (RegQueryValueExW(k, value.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(k, value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
            data.resize(wcsnlen(data.c_str(), data.size()));
            result = Narrow(data);
        }
    }
    RegCloseKey(k);
    return result;
}

void SetRegistryString(HKEY root, const std::wstring& key, const std::wstring& value, const std::string& utf8) {
    HKEY k;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot create registry key";
        return;
    }
    std::wstring data = Widen(utf8);
    RegSetValueExW(k, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(k);
}

void DeleteRegistryTree(HKEY root, const std::wstring& key) { RegDeleteTreeW(root, key.c_str()); }

// ---- Fixture ---------------------------------------------------------------
namespace {
std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "unknown";
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ' ') c = '_';
    return name;
}
}  // namespace

void DriverTest::TearDown() {
    if (HasFailure()) {
        std::string path = ScreenshotFolder() + "/FAILED-" + TestName() + ".png";
        if (Screenshot(path)) std::printf("screenshot of the failure: %s\n", path.c_str());
    }
}

void DriverTest::Shot(const std::string& tag) const { Screenshot(ScreenshotFolder() + "/" + TestName() + "-" + tag + ".png"); }

}  // namespace mb::driver
