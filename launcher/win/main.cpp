// MBTimerH: shows its note unless told not to, starts MBTimer hidden, and ends.
#include "frmFirstMessage.h"
#include "launcher.h"

#include "text/wide.h"
#include "win/process.h"

#include <windows.h>
#include <commctrl.h>

namespace {

class WindowsUi final : public mb::launcher::LauncherUi {
public:
    explicit WindowsUi(HINSTANCE instance) : instance_(instance) {}
    mb::launcher::NoteOutcome ShowNote() override { return mb::launcher::frmFirstMessage(instance_).ShowModal(); }
    void ShowError(const std::string& text, std::string_view title) override {
        MessageBoxW(nullptr, mb::Widen(text).c_str(), mb::Widen(title).c_str(), MB_OK | MB_ICONSTOP);
    }

private:
    HINSTANCE instance_;
};

class WindowsStarter final : public mb::launcher::ProgramStarter {
public:
    std::optional<std::string> Start(const std::string& commandLine) override {
        std::string error;
        // Shown normally but without the focus: MBTimer hides itself in this mode.
        if (mb::win::StartProgram(commandLine, SW_SHOWNOACTIVATE, &error)) return std::nullopt;
        return error;
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WindowsUi ui(instance);
    WindowsStarter starter;
    try {
        mb::launcher::RunLauncher(mb::win::ProgramFolder(), mb::PlatformProfile(), ui, starter);
    } catch (const std::exception& e) {
        ui.ShowError(std::string(mb::launcher::kErrorPrefix) + e.what(), mb::launcher::kErrorTitle);
    }
    return 0;
}
