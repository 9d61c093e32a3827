#pragma once
// MBTimerH's whole run: show the note unless told not to, then start MBTimer hidden.
// The window and the process start reach it through small interfaces, so the run is
// tested without either.
#include "ini/cInifile.h"

#include <optional>
#include <string>
#include <string_view>

namespace mb::launcher {

inline constexpr std::string_view kSettingsSection = "Message";
inline constexpr std::string_view kShowKey = "Show";
inline constexpr std::string_view kNoNote = "False";  // compared with case
inline constexpr std::string_view kErrorTitle = "MBTimerH";
inline constexpr std::string_view kErrorPrefix = "予期せぬエラー：";

// The note's four paragraphs, two line breaks between them, none after the last.
std::string NoteText();

struct NoteOutcome {
    bool cancelled = false;      // "実行を中止する(&Q)"
    bool dontShowAgain = false;  // chkMsg ticked when the note closed
};

class LauncherUi {
public:
    virtual ~LauncherUi() = default;
    // Shows frmFirstMessage modally until it is closed.
    virtual NoteOutcome ShowNote() = 0;
    virtual void ShowError(const std::string& text, std::string_view title) = 0;
};

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts the command line without waiting; nullopt on success, else the
    // platform's description of the error.
    virtual std::optional<std::string> Start(const std::string& commandLine) = 0;
};

// The command line that starts MBTimer hidden from `folder` (ending in "\").
std::string TimerCommandLine(const std::string& folder);

// Runs the launcher from its program folder (with or without its closing "\").
void RunLauncher(const std::string& programFolder, const ProfileService& profile, LauncherUi& ui,
                 ProgramStarter& starter);

}  // namespace mb::launcher
