#include "logic/civil_date.h"

#include <cstdio>

namespace mb::schedit {

// Howard Hinnant's days_from_civil / civil_from_days: exact for every Gregorian year.
long long DaysFromCivil(Date d) {
    const long long y = static_cast<long long>(d.year) - (d.month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long mp = (d.month + 9) % 12;
    const long long doy = (153 * mp + 2) / 5 + d.day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

Date AddDays(Date d, long long n) {
    return CivilFromDays(DaysFromCivil(d) + n);
}

int Weekday(Date d) {
    const long long days = DaysFromCivil(d);       // 1970-01-01 was a Thursday (5)
    const long long w = ((days % 7) + 7 + 4) % 7;  // 0 = Sunday
    return static_cast<int>(w) + 1;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0))) return 29;
    return kDays[month - 1];
}

bool IsValid(Date d) {
    return d.year >= 1 && d.year <= 9999 && d.day >= 1 && d.day <= DaysInMonth(d.year, d.month);
}

std::optional<Date> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&](std::size_t from, std::size_t count) -> std::optional<int> {
        int v = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            v = v * 10 + (text[i] - '0');
        }
        return v;
    };
    const auto y = number(0, 4), m = number(5, 2), d = number(8, 2);
    if (!y || !m || !d) return std::nullopt;
    const Date date{*y, *m, *d};
    if (!IsValid(date)) return std::nullopt;
    return date;
}

std::string IsoText(Date d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::string KeyText(Date d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
    return buf;
}

std::string FormatDate(Date d, std::string_view mask, const MonthNames& names) {
    std::string out;
    auto run = [&](std::size_t i, char c) {
        std::size_t n = 0;
        while (i + n < mask.size() && (mask[i + n] | 0x20) == c) ++n;
        return n;
    };
    auto digits = [&](int v, int width) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%0*d", width, v);
        out += buf;
    };
    const bool known = d.month >= 1 && d.month <= 12;
    for (std::size_t i = 0; i < mask.size();) {
        const char c = mask[i];
        if (c == '\\') {
            if (i + 1 < mask.size()) out += mask[i + 1];
            i += 2;
        } else if (c == '"') {
            const std::size_t end = mask.find('"', i + 1);
            const std::size_t stop = end == std::string_view::npos ? mask.size() : end;
            out.append(mask.substr(i + 1, stop - i - 1));
            i = stop + 1;
        } else if ((c | 0x20) == 'y' && run(i, 'y') >= 2) {
            const std::size_t n = run(i, 'y');
            if (n >= 4) {
                digits(d.year, 4);
                i += 4;
            } else {
                digits(d.year % 100, 2);
                i += 2;
            }
        } else if ((c | 0x20) == 'm') {
            const std::size_t n = run(i, 'm');
            const std::size_t used = n > 4 ? 4 : n;
            if (used == 4)
                out += known ? names.full[d.month - 1] : "";
            else if (used == 3)
                out += known ? names.abbreviated[d.month - 1] : "";
            else
                digits(d.month, static_cast<int>(used));
            i += used;
        } else if ((c | 0x20) == 'd') {
            const std::size_t n = run(i, 'd');
            if (n <= 2)
                digits(d.day, static_cast<int>(n));
            else
                out.append(mask.substr(i, n));  // weekday names: not needed by any caller
            i += n;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace mb::schedit
