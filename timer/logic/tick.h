#pragma once
// The one-second tick: the close request of a second copy, then, once per minute,
// the active entry of that minute with its actions in the order Alarm, Message,
// WallPaper. The clock and every effect come in through small interfaces.
#include "ini/cInifile.h"
#include "logic/schedule.h"

#include <string>

namespace mb::timer {

class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeOfDay Now() const = 0;
};

// What a firing entry does to the world.
class TickActions {
public:
    virtual ~TickActions() = default;
    virtual bool SoundOpen() const = 0;
    virtual void StopSound() = 0;
    // An ordinary file of that path exists (no wildcards, no folders).
    virtual bool FileExists(const std::string& path) const = 0;
    virtual void PLay_Sound(const std::string& file) = 0;
    // Replaces any open message window with one showing this label caption.
    virtual void ShowMessage(const std::string& caption) = 0;
    virtual void ChangeWallpaper() = 0;
};

// The first "$Time$" becomes "hh:nn " (same length); later ones stay.
std::string ReplaceFirstTime(std::string text, const TimeOfDay& now);
// The label shows the text framed by four spaces on each side.
std::string MessageCaption(const std::string& text);

// A second copy asks a hidden one to end with "True"; the answer is "False".
// Returns true when the request was there (and has been answered).
bool TakeCloseRequest(const cInifile& TimerIni);
// For the only running copy, at start-up: a "Hide" or "True" still there was left
// by a copy that ended without answering (killed, crashed) and would otherwise end
// this copy at a later second start, or at its first tick.
void ClearStaleCloseRequest(const cInifile& TimerIni);

class Ticker {
public:
    enum class Result { Continue, CloseRequested };

    // One tick. Throws RunTimeError (subscript out of range) for a row whose slot
    // lies outside the tables.
    Result Tick(const cInifile& TimerIni, const TimeList& lstTime, const ScheduleTables& tables,
                const Clock& clock, TickActions& actions);

    // The "hh:nn" of the minute in which an entry last fired; never cleared, so
    // disabling and enabling within a minute does not fire it twice.
    const std::string& LastMinute() const { return lastMinute_; }

private:
    std::string lastMinute_;
};

}  // namespace mb::timer
