#include "launcher.h"

#include "outside_programs.h"

namespace mb::launcher {

std::string NoteText() {
    static constexpr std::string_view kParagraphs[] = {
        "　本ソフトは「MBTimer.exe」をバックグラウンドで実行させるものです。",
        "　アイコンがタスクトレイに表示されませんので、カスタマイズ等は「MBTimer.exe」を起動して行ってください。",
        "　尚、バックグラウンドでの実行を中止させる時には、「MBTimer.exe」を起動し、終了させてください。",
        "　このメッセージフォームを閉じた直後に、バックグラウンドで実行を開始します。",
    };
    std::string text;
    for (std::string_view p : kParagraphs) {
        if (!text.empty()) text += "\r\n\r\n";
        text += p;
    }
    return text;
}

std::string TimerCommandLine(const std::string& folder) {
    // The path is quoted so that a folder such as "C:\Program Files\..." cannot start
    // "C:\Program.exe"; the argument stays "/H", so MBTimer sees what it always saw.
    return QuotedCommandLine(folder + std::string(names::kTimerExe), names::kTimerHiddenSwitch);
}

void RunLauncher(const std::string& programFolder, const ProfileService& profile, LauncherUi& ui,
                 ProgramStarter& starter) {
    const std::string folder = WithTrailingBackslash(programFolder);
    cInifile settings(profile);
    settings.FileName(folder + std::string(names::kLauncherIni));

    bool cancelled = false;
    if (settings.ReadStr(kSettingsSection, kShowKey, "") != kNoNote) {
        NoteOutcome note = ui.ShowNote();
        // Closing the note in any way writes the setting when the box is ticked.
        if (note.dontShowAgain) settings.WriteStr(kSettingsSection, kShowKey, kNoNote);
        cancelled = note.cancelled;
    }
    if (cancelled) return;
    if (auto error = starter.Start(TimerCommandLine(folder)))
        ui.ShowError(std::string(kErrorPrefix) + *error, kErrorTitle);
}

}  // namespace mb::launcher
