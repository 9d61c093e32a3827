#include "logic/tick.h"

#include "logic/report_error.h"

#include <optional>

namespace mb::timer {

std::string ReplaceFirstTime(std::string text, const TimeOfDay& now) {
    static constexpr std::string_view kPlaceholder = "$Time$";
    size_t at = text.find(kPlaceholder);
    if (at != std::string::npos) text.replace(at, kPlaceholder.size(), FormatHhNn(now) + " ");
    return text;
}

std::string MessageCaption(const std::string& text) { return "    " + text + "    "; }

bool TakeCloseRequest(const cInifile& TimerIni) {
    if (TimerIni.ReadStr("PrevInstance", "Close") != "True") return false;
    TimerIni.WriteStr("PrevInstance", "Close", "False");
    TimerIni.Refresh();
    return true;
}

void ClearStaleCloseRequest(const cInifile& TimerIni) {
    const std::string close = TimerIni.ReadStr("PrevInstance", "Close");
    if (close != "Hide" && close != "True") return;
    TimerIni.WriteStr("PrevInstance", "Close", "False");
    TimerIni.Refresh();
}

Ticker::Result Ticker::Tick(const cInifile& TimerIni, const TimeList& lstTime, const ScheduleTables& tables,
                            const Clock& clock, TickActions& actions) {
    if (TakeCloseRequest(TimerIni)) return Result::CloseRequested;

    const std::string now = FormatHhNn(clock.Now());
    if (now == lastMinute_) return Result::Continue;
    // A sound lasts at most until the end of its minute.
    if (actions.SoundOpen()) actions.StopSound();

    std::optional<int> slot;
    for (int row = 0; row < lstTime.Count(); ++row) {
        const std::string text = lstTime.Text(row);
        if (now < text) break;  // rows are in ascending order: nothing later can match
        if (text == now && lstTime.Checked(row)) {
            lastMinute_ = now;
            slot = lstTime.Tag(row);
            break;
        }
    }
    if (!slot) return Result::Continue;
    const int s = *slot;
    if (s < 0 || s > tables.LastSlot())
        throw RunTimeError(kSubscriptOutOfRange, "インデックスが有効範囲にありません。");

    const std::int16_t flags = tables.ActionFlags[s];
    if (flags & kAlarm) {
        const std::string& sound = tables.SoundFiles[s];
        if (!sound.empty() && actions.FileExists(sound)) actions.PLay_Sound(sound);
    }
    if ((flags & kMessage) && tables.MessageTexts[s] != kNone)
        actions.ShowMessage(MessageCaption(ReplaceFirstTime(tables.MessageTexts[s], clock.Now())));
    if (flags & kWallPaper) actions.ChangeWallpaper();
    return Result::Continue;
}

}  // namespace mb::timer
