#pragma once
// End-to-end test driver: a Windows console program of ours (a GoogleTest executable)
// starts a real program of the suite under Wine, finds its windows and works them
// the way a person would, then checks files and the registry.
// All text is UTF-16 at this edge; waits poll every 20 ms up to a limit.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace mb::driver {

// ---- Processes -------------------------------------------------------------
class App {
public:
    App() = default;
    ~App();  // ends the process if it is still running
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    App(App&& o) noexcept;
    App& operator=(App&& o) noexcept;

    // Starts `exe` (full path) with `arguments` in `folder`; the command line is
    // "\"exe\" arguments". Fails the test and returns an empty App on error.
    static App Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder);

    explicit operator bool() const { return process_ != nullptr; }
    DWORD Pid() const { return pid_; }
    bool Running() const;
    // True when the process ended within `ms`.
    bool WaitExit(int ms) const;
    DWORD ExitCode() const;
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// ---- Windows ---------------------------------------------------------------
struct Find {
    std::wstring className;  // empty: any
    std::wstring caption;    // empty: any
    DWORD pid = 0;           // 0: any process
    bool visibleOnly = true;
};
HWND FindTopWindow(const Find& f);
// Waits until such a top-level window exists; nullptr when `ms` ran out.
HWND WaitWindow(const Find& f, int ms = 5000);
// Waits until the window is gone (or hidden, when visibleOnly).
bool WaitGone(const Find& f, int ms = 5000);
std::vector<HWND> TopWindows(DWORD pid, bool visibleOnly = true);

std::wstring ClassOf(HWND h);
std::wstring TextOf(HWND h);                          // WM_GETTEXT (works across processes)
void SetTextOf(HWND h, const std::wstring& text);     // WM_SETTEXT
HWND Child(HWND parent, int id);
// Finds a child by class and/or text (depth-first); nullptr when none.
HWND ChildByText(HWND parent, const std::wstring& className, const std::wstring& text);
std::vector<HWND> Children(HWND parent);

// Posted, never sent: an action that opens a modal box would block the driver.
void Click(HWND button);                              // BM_CLICK
void Post(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
LRESULT Send(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
// Posts WM_KEYDOWN + WM_KEYUP of a virtual key (the target's TranslateMessage makes the WM_CHAR).
void Key(HWND h, UINT vk);
void Char(HWND h, wchar_t c);                         // WM_CHAR only

bool IsChecked(HWND checkBox);
int ListCount(HWND list);
std::wstring ListText(HWND list, int index);
std::vector<std::wstring> ListTexts(HWND list);
LRESULT ListData(HWND list, int index);
int ListSelection(HWND list);
// Selects a row and tells the owner, as a click would (LBN_SELCHANGE).
void ListSelect(HWND list, int index);

// ---- Message boxes ---------------------------------------------------------
enum class Icon { None, Stop, Exclamation, Question, Information, Unknown };
struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::wstring title;
    std::wstring text;
    Icon icon = Icon::None;
    std::vector<std::pair<int, std::wstring>> buttons;  // id, caption
};
// Waits for a message box ("#32770" with a text of id 0xFFFF) of the process.
std::optional<MessageBoxInfo> WaitMessageBox(DWORD pid, int ms = 5000);
// Presses the box's button of that id (IDOK, IDYES, ...).
void Press(const MessageBoxInfo& box, int id);

// ---- Screen ----------------------------------------------------------------
// Saves a PNG of the whole X screen to a Unix path (uses /usr/bin/import).
bool Screenshot(const std::string& unixPath);
// Where screenshots go: <build>/screenshots (MB_BIN_DIR's sibling).
std::string ScreenshotFolder();

// ---- Files -----------------------------------------------------------------
// A fresh folder whose name holds a space, under the Windows temp folder; removed
// at the end unless the test failed.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return path_; }   // ends in "\"
    std::wstring File(const std::wstring& name) const { return path_ + name; }
    // Copies a built program from bin/ (e.g. L"MBTimerH.exe" or L"standins\\record_command_line.exe").
    void CopyProgram(const std::wstring& fromBin, const std::wstring& asName) const;
    void Write(const std::wstring& name, const std::string& bytes) const;
    std::string Read(const std::wstring& name) const;   // empty when missing
    bool Exists(const std::wstring& name) const;
    void Remove(const std::wstring& name) const;
    void MakeFolder(const std::wstring& name) const;

private:
    std::wstring path_;
};

std::wstring BinDir();                 // Windows path of the build's bin/ folder
std::wstring DosPath(const std::string& unixPath);

// ---- Registry ----------------------------------------------------------------
std::optional<std::string> RegistryString(HKEY root, const std::wstring& key, const std::wstring& value);  // UTF-8
void SetRegistryString(HKEY root, const std::wstring& key, const std::wstring& value, const std::string& utf8);
void DeleteRegistryTree(HKEY root, const std::wstring& key);

// ---- Fixture ---------------------------------------------------------------
// Base for end-to-end tests: saves a screenshot named after the test when it fails.
class DriverTest : public ::testing::Test {
protected:
    void TearDown() override;
    // Saves a screenshot named after the test plus `tag` now (for the README, or to look at).
    void Shot(const std::string& tag) const;
};

// Polls `condition` until true or `ms` ran out.
template <typename F>
bool WaitFor(F condition, int ms = 5000) {
    for (int waited = 0;; waited += 20) {
        if (condition()) return true;
        if (waited >= ms) return false;
        Sleep(20);
    }
}

}  // namespace mb::driver
