#pragma once
// The schedule as MBTimer holds it while it runs: the rows of lstTime (time text,
// check mark, slot) and, per slot, the three settings tables.
#include "ini/cInifile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb::timer {

// Action flag bits of a slot.
inline constexpr std::int16_t kWallPaper = 1;
inline constexpr std::int16_t kMessage = 2;
inline constexpr std::int16_t kAlarm = 4;
// A message text or sound file of one space means "none".
inline constexpr std::string_view kNone = " ";

// Slot 0 exists and belongs to no row; the three tables always have the same bounds.
struct ScheduleTables {
    std::vector<std::int16_t> ActionFlags = {0};
    std::vector<std::string> MessageTexts = {""};
    std::vector<std::string> SoundFiles = {""};

    int LastSlot() const { return static_cast<int>(ActionFlags.size()) - 1; }
    // Re-creates the tables with slots 0..last, contents discarded.
    void Recreate(int last);
};

// lstTime: rows kept in text order by character codes (which is time order for
// "hh:nn", and the order the tick's scan relies on). A new row goes after rows of
// the same text. Implemented over the property dialog's list box on Windows.
class TimeList {
public:
    virtual ~TimeList() = default;
    virtual int Count() const = 0;
    virtual std::string Text(int row) const = 0;
    virtual bool Checked(int row) const = 0;
    virtual int Tag(int row) const = 0;
    virtual void Clear() = 0;
    // Returns the index the row got.
    virtual int Add(const std::string& text, int tag, bool checked) = 0;
    virtual void SetChecked(int row, bool checked) = 0;
    virtual void Remove(int row) = 0;
};

// Where a row of this text goes among rows already in text order.
int InsertPosition(const TimeList& list, std::string_view text);

// A TimeList in memory, for the tests and anything without a list control.
class RowList final : public TimeList {
public:
    int Count() const override { return static_cast<int>(rows_.size()); }
    std::string Text(int row) const override { return rows_.at(row).text; }
    bool Checked(int row) const override { return rows_.at(row).checked; }
    int Tag(int row) const override { return rows_.at(row).tag; }
    void Clear() override { rows_.clear(); }
    int Add(const std::string& text, int tag, bool checked) override;
    void SetChecked(int row, bool checked) override { rows_.at(row).checked = checked; }
    void Remove(int row) override { rows_.erase(rows_.begin() + row); }

private:
    struct Row {
        std::string text;
        int tag;
        bool checked;
    };
    std::vector<Row> rows_;
};

// A list-box row carries one integer: the slot, with the check mark in a high bit.
inline constexpr long long kCheckedBit = 0x40000000;
inline long long PackRowData(int tag, bool checked) { return tag | (checked ? kCheckedBit : 0); }
inline int TagOfRowData(long long data) { return static_cast<int>(data & (kCheckedBit - 1)); }
inline bool CheckedInRowData(long long data) { return (data & kCheckedBit) != 0; }

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Times as people and the settings file write them: hours and minutes of one or
// two digits, optionally seconds, separated by ":". Nothing else counts as a time.
std::optional<TimeOfDay> ParseTime(std::string_view text);
// "hh:nn"
std::string FormatHhNn(const TimeOfDay& t);

// One "TimeSet" value: flags, a comma, the message, a comma, the sound file.
// Only the first two commas split; later ones belong to the sound file.
struct TimeSetValue {
    std::int16_t flags = 0;
    std::string message;
    std::string sound;
};
// nullopt when the value has fewer than two commas or its flags are not a
// 16-bit number (halves rounded to the even neighbour).
std::optional<TimeSetValue> ParseTimeSetValue(std::string_view value);

struct LoadOutcome {
    bool badData = false;  // some key or value was dropped: tell the user once
    int rows = 0;
};

// Fills lstTime and the tables from section "TimeSet", every row checked, slots
// numbered in the file's key order. Keys that are no time and values that cannot
// be read are dropped (badData); the rest load. With no row the tables stay as
// they were.
LoadOutcome Load_Data(const cInifile& TimerIni, TimeList& lstTime, ScheduleTables& tables);

}  // namespace mb::timer
