#include "logic/schedule.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace mb::timer {

void ScheduleTables::Recreate(int last) {
    ActionFlags.assign(last + 1, 0);
    MessageTexts.assign(last + 1, "");
    SoundFiles.assign(last + 1, "");
}

int InsertPosition(const TimeList& list, std::string_view text) {
    int lo = 0, hi = list.Count();
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (text < std::string_view(list.Text(mid))) hi = mid;
        else lo = mid + 1;
    }
    return lo;
}

int RowList::Add(const std::string& text, int tag, bool checked) {
    int at = InsertPosition(*this, text);
    rows_.insert(rows_.begin() + at, Row{text, tag, checked});
    return at;
}

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }

// One field of one or two digits; moves `t` past it.
std::optional<int> Field(std::string_view& t) {
    size_t n = 0;
    while (n < t.size() && n < 3 && Digit(t[n])) ++n;
    if (n == 0 || n > 2) return std::nullopt;
    int v = t[0] - '0';
    if (n == 2) v = v * 10 + (t[1] - '0');
    t.remove_prefix(n);
    return v;
}

std::optional<std::int16_t> ToInt16(std::string_view text) {
    if (!IsNumericText(text)) return std::nullopt;
    std::string s(text);
    double v = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    double whole = std::nearbyint(v);  // the default rounding sends halves to the even neighbour
    if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

}  // namespace

std::optional<TimeOfDay> ParseTime(std::string_view text) {
    TimeOfDay t;
    auto h = Field(text);
    if (!h || text.empty() || text.front() != ':') return std::nullopt;
    text.remove_prefix(1);
    auto m = Field(text);
    if (!m) return std::nullopt;
    int s = 0;
    if (!text.empty()) {
        if (text.front() != ':') return std::nullopt;
        text.remove_prefix(1);
        auto sec = Field(text);
        if (!sec || !text.empty()) return std::nullopt;
        s = *sec;
    }
    if (*h > 23 || *m > 59 || s > 59) return std::nullopt;
    t.hour = *h;
    t.minute = *m;
    t.second = s;
    return t;
}

std::string FormatHhNn(const TimeOfDay& t) {
    char text[6] = {static_cast<char>('0' + t.hour / 10), static_cast<char>('0' + t.hour % 10), ':',
                    static_cast<char>('0' + t.minute / 10), static_cast<char>('0' + t.minute % 10), '\0'};
    return text;
}

std::optional<TimeSetValue> ParseTimeSetValue(std::string_view value) {
    size_t first = value.find(',');
    if (first == std::string_view::npos) return std::nullopt;
    size_t second = value.find(',', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    auto flags = ToInt16(value.substr(0, first));
    if (!flags) return std::nullopt;
    return TimeSetValue{*flags, std::string(value.substr(first + 1, second - first - 1)),
                        std::string(value.substr(second + 1))};
}

LoadOutcome Load_Data(const cInifile& TimerIni, TimeList& lstTime, ScheduleTables& tables) {
    const std::string keys = TimerIni.ReadEntrys("TimeSet");
    lstTime.Clear();
    LoadOutcome outcome;

    struct Loaded {
        std::string key;
        TimeSetValue value;
    };
    std::vector<Loaded> loaded;
    for (size_t start = 0;;) {
        size_t nul = keys.find('\0', start);
        if (nul == std::string::npos || nul == start) break;
        std::string key = keys.substr(start, nul - start);
        start = nul + 1;
        // A hand-edited or cut-off file must not stop the resident program: a bad
        // value is dropped like a key that is no time.
        std::optional<TimeSetValue> value;
        if (ParseTime(key)) value = ParseTimeSetValue(TimerIni.ReadStr("TimeSet", key));
        if (!value) {
            outcome.badData = true;
            continue;
        }
        loaded.push_back({std::move(key), std::move(*value)});
    }

    outcome.rows = static_cast<int>(loaded.size());
    if (outcome.rows == 0) return outcome;
    tables.Recreate(outcome.rows);
    for (int i = 0; i < outcome.rows; ++i) {
        const int slot = i + 1;
        lstTime.Add(loaded[i].key, slot, true);
        tables.ActionFlags[slot] = loaded[i].value.flags;
        tables.MessageTexts[slot] = std::move(loaded[i].value.message);
        tables.SoundFiles[slot] = std::move(loaded[i].value.sound);
    }
    return outcome;
}

}  // namespace mb::timer
