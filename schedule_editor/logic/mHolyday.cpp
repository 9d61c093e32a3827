#include "logic/mHolyday.h"

#include <string_view>

namespace mb::schedit {
namespace {

constexpr Date kLawInForce{1948, 7, 20};
constexpr Date kSubstitutesFrom{1973, 4, 12};
constexpr Date kSandwichedFrom{1985, 12, 27};
constexpr Date kRevision2007{2007, 1, 1};
constexpr int kSunday = 1;
constexpr int kMonday = 2;

struct RuleDay {
    std::string_view name;  // empty: no holiday
    // A 国民の祝日, or a day the law treats as one: only these produce substitute
    // days and sandwich a day. The older one-off days do not count.
    bool counts = false;
};

RuleDay Holiday(std::string_view name) {
    return {name, true};
}
RuleDay OneOff(std::string_view name) {
    return {name, false};
}

bool IsNthMonday(Date d, int n) {
    return Weekday(d) == kMonday && (d.day - 1) / 7 + 1 == n;
}

// Marine, Mountain and Sports Day moved for the Olympics in 2020 and 2021.
RuleDay July(Date d) {
    const int y = d.year;
    if (y == 2020) {
        if (d.day == 23) return Holiday("海の日");
        if (d.day == 24) return Holiday("スポーツの日");
        return {};
    }
    if (y == 2021) {
        if (d.day == 22) return Holiday("海の日");
        if (d.day == 23) return Holiday("スポーツの日");
        return {};
    }
    if (y >= 1996 && y <= 2002 && d.day == 20) return Holiday("海の日");
    if (y >= 2003 && IsNthMonday(d, 3)) return Holiday("海の日");
    return {};
}

RuleDay August(Date d) {
    const int y = d.year;
    const int day = y == 2020 ? 10 : y == 2021 ? 8 : 11;
    if (y >= 2016 && d.day == day) return Holiday("山の日");
    return {};
}

RuleDay RuleHoliday(Date d) {
    if (d < kLawInForce) return {};
    const int y = d.year;
    const int day = d.day;
    switch (d.month) {
        case 1:
            if (day == 1) return Holiday("元日");
            if (y < 2000 ? day == 15 : IsNthMonday(d, 2)) return Holiday("成人の日");
            return {};
        case 2:
            if (day == 11 && y >= 1967) return Holiday("建国記念の日");
            if (day == 23 && y >= 2020) return Holiday("天皇誕生日");
            if (d == Date{1989, 2, 24}) return OneOff("昭和天皇の大喪の礼");
            return {};
        case 3:
            if (day == detail::VernalEquinoxDay(y)) return Holiday("春分の日");
            return {};
        case 4:
            if (day == 29) return Holiday(y < 1989 ? "天皇誕生日" : y < 2007 ? "みどりの日" : "昭和の日");
            if (d == Date{1959, 4, 10}) return OneOff("皇太子明仁親王の結婚の儀");
            return {};
        case 5:
            if (day == 3) return Holiday("憲法記念日");
            if (day == 4 && y >= 2007) return Holiday("みどりの日");
            if (day == 5) return Holiday("子供の日");
            if (d == Date{2019, 5, 1}) return Holiday("天皇の即位の日");
            return {};
        case 6:
            if (d == Date{1993, 6, 9}) return OneOff("皇太子徳仁親王の結婚の儀");
            return {};
        case 7:
            return July(d);
        case 8:
            return August(d);
        case 9:
            if (day == detail::AutumnalEquinoxDay(y)) return Holiday("秋分の日");
            if (y >= 1966 && (y < 2003 ? day == 15 : IsNthMonday(d, 3))) return Holiday("敬老の日");
            return {};
        case 10:
            if (y >= 1966 && y < 2000 && day == 10) return Holiday("体育の日");
            if (y >= 2000 && y < 2020 && IsNthMonday(d, 2)) return Holiday("体育の日");
            if (y >= 2022 && IsNthMonday(d, 2)) return Holiday("スポーツの日");
            if (d == Date{2019, 10, 22}) return Holiday("即位礼正殿の儀");
            return {};
        case 11:
            if (day == 3) return Holiday("文化の日");
            if (day == 23) return Holiday("勤労感謝の日");
            if (d == Date{1990, 11, 12}) return OneOff("即位礼正殿の儀");
            return {};
        case 12:
            if (day == 23 && y >= 1989 && y <= 2018) return Holiday("天皇誕生日");
            return {};
        default:
            return {};
    }
}

bool Counts(Date d) {
    return RuleHoliday(d).counts;
}

// True when d is the day off for a 祝日 that fell on a Sunday: before 2007 only the
// Monday right after; from 2007 the first day after it that is no 祝日.
bool IsSubstitute(Date d) {
    for (Date e = AddDays(d, -1); Counts(e); e = AddDays(e, -1)) {
        if (Weekday(e) != kSunday) continue;
        if (e < kSubstitutesFrom) return false;
        if (e < kRevision2007) return DaysFromCivil(d) - DaysFromCivil(e) == 1;
        return true;
    }
    return false;
}

// A day between two 祝日 that is no holiday itself; before 2007 not on a Sunday.
bool IsSandwiched(Date d) {
    if (d < kSandwichedFrom) return false;
    if (d < kRevision2007 && Weekday(d) == kSunday) return false;
    return Counts(AddDays(d, -1)) && Counts(AddDays(d, 1));
}

// The table's own names where its fixed list had one; the law's elsewhere.
std::string_view TableName(std::string_view name) {
    if (name == "元日") return "元旦";
    if (name == "建国記念の日") return "建国記念日";
    if (name == "子供の日") return "こどもの日";
    return name;
}

struct YearTable {
    std::vector<std::string> keys;
    std::vector<std::string> names;
    int year = 0;
    std::string label;
};

YearTable& Table() {
    static YearTable table;
    return table;
}

int NthMonday(int year, int month, int weeksAfter) {
    for (int c = 1; c <= 7; ++c)
        if (Weekday({year, month, c}) == kMonday) return c + weeksAfter;
    return 0;
}

}  // namespace

namespace detail {

std::string RuleHolidayName(Date d) {
    return std::string(RuleHoliday(d).name);
}

// The usual equinox formulas; (y - 1983) / 4 and t / 4 must truncate toward zero,
// as integer division does.
int VernalEquinoxDay(int year) {
    const int t = year - 1980;
    if (year >= 1948 && year <= 1979) return static_cast<int>(0.242194 * t + 20.8357 - (year - 1983) / 4);
    if (year >= 1980 && year <= 2099) return static_cast<int>(0.242194 * t + 20.8431 - t / 4);
    if (year >= 2100 && year <= 2150) return static_cast<int>(0.242194 * t + 21.851 - t / 4);
    return 99;
}

int AutumnalEquinoxDay(int year) {
    const int t = year - 1980;
    if (year >= 1948 && year <= 1979) return static_cast<int>(0.242194 * t + 23.2588 - (year - 1983) / 4);
    if (year >= 1980 && year <= 2099) return static_cast<int>(0.242194 * t + 23.2488 - t / 4);
    if (year >= 2100 && year <= 2150) return static_cast<int>(0.242194 * t + 24.2488 - t / 4);
    return 99;
}

}  // namespace detail

std::string HolidayName(Date d) {
    const RuleDay rule = RuleHoliday(d);
    if (!rule.name.empty()) return std::string(rule.name);
    if (d < kLawInForce) return {};
    if (IsSubstitute(d)) return "振替休日";
    if (IsSandwiched(d)) return "国民の休日";
    return {};
}

void BuildYearHolidays(int year) {
    YearTable& table = Table();
    if (year == table.year) return;
    table.year = year;
    table.keys.clear();
    table.names.clear();
    if (year < kLawInForce.year || year > 9999) return;
    for (Date d{year, 1, 1}; d.year == year; d = AddDays(d, 1)) {
        const std::string name = HolidayName(d);
        if (name.empty() || name == "振替休日") continue;
        table.keys.push_back(KeyText(d));
        table.names.emplace_back(TableName(name));
    }
}

std::string MonthHoliday(int month, int index) {
    YearTable& table = Table();
    table.label.clear();
    int i = 0;
    for (std::size_t e = 0; e < table.keys.size(); ++e) {
        const std::string& key = table.keys[e];
        const int m = (key[4] - '0') * 10 + (key[5] - '0');
        if (m > month) return {};
        if (m < month) continue;
        if (i == index) {
            table.label = "《" + table.names[e] + "》";
            return key;
        }
        ++i;
    }
    return {};
}

const std::string& HolidayLabel() {
    return Table().label;
}
const std::vector<std::string>& HolidayKeys() {
    return Table().keys;
}
const std::vector<std::string>& HolidayNames() {
    return Table().names;
}
int HolidayYear() {
    return Table().year;
}

int SecondMonday(int year, int month) {
    return NthMonday(year, month, 7);
}
int ThirdMonday(int year, int month) {
    return NthMonday(year, month, 14);
}

}  // namespace mb::schedit
