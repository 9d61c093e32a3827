#pragma once
// Whole calendar days (proleptic Gregorian) and the date masks the editor formats
// with. No clock here: whoever needs "today" passes it in.
#include <array>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace mb::schedit {

struct Date {
    int year = 0;  // all zero: the empty date, earlier than any real one
    int month = 0;
    int day = 0;

    auto operator<=>(const Date&) const = default;
    bool Empty() const { return year == 0 && month == 0 && day == 0; }
};

// Days since 1970-01-01, and back.
long long DaysFromCivil(Date d);
Date CivilFromDays(long long days);

Date AddDays(Date d, long long n);
// 1 = Sunday ... 7 = Saturday.
int Weekday(Date d);
int DaysInMonth(int year, int month);
bool IsValid(Date d);

// "YYYY-MM-DD", strictly; nullopt for anything else or an impossible day.
std::optional<Date> ParseIsoDate(std::string_view text);
std::string IsoText(Date d);
// Eight digits "yyyymmdd", the key of the yearly holiday table.
std::string KeyText(Date d);

// Month names of the user's locale: [0] January ... [11] December.
struct MonthNames {
    std::array<std::string, 12> full;
    std::array<std::string, 12> abbreviated;
};

// Formats with the date masks of the platform's formatter: "yyyy", "yy", "mmmm",
// "mmm", "mm", "m", "dd", "d"; "\" takes the next character literally and "..."
// a quoted run; anything else is copied.
std::string FormatDate(Date d, std::string_view mask, const MonthNames& names);

}  // namespace mb::schedit
