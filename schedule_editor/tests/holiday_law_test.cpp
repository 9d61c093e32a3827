// Every date of 1948..2050 against a second, independent reading of the law: the
// year-by-year algorithm of the law's commentary, on std::chrono's calendar rather
// than our own date arithmetic.
#include "logic/mHolyday.h"
#include "ini_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace mb::schedit {
namespace {

namespace ch = std::chrono;
using Day = ch::sys_days;

Day MakeDay(int y, unsigned m, unsigned d) {
    return ch::year{y} / ch::month{m} / ch::day{d};
}

Day NthMonday(int y, unsigned m, unsigned n) {
    return ch::year_month_weekday{ch::year{y}, ch::month{m}, ch::Monday[n]};
}

int Equinox(double base1900, double base1980, double base2100, int y) {
    if (y < 1980) return int(base1900 + 0.242194 * (y - 1980) - int((y - 1983) / 4));
    if (y < 2100) return int(base1980 + 0.242194 * (y - 1980) - int((y - 1980) / 4));
    return int(base2100 + 0.242194 * (y - 1980) - int((y - 1980) / 4));
}

// The 国民の祝日 of year y with their dates (Article 2 and the Olympic moves), before
// the start of the law is taken off.
std::map<Day, std::string> Article2(int y) {
    std::map<Day, std::string> s;
    auto add = [&](Day d, const char* name) { s[d] = name; };
    if (y >= 1949) add(MakeDay(y, 1, 1), "元日");
    if (y >= 1949 && y <= 1999) add(MakeDay(y, 1, 15), "成人の日");
    if (y >= 2000) add(NthMonday(y, 1, 2), "成人の日");
    if (y >= 1967) add(MakeDay(y, 2, 11), "建国記念の日");
    if (y >= 1949 && y <= 1988) add(MakeDay(y, 4, 29), "天皇誕生日");
    if (y >= 1989 && y <= 2018) add(MakeDay(y, 12, 23), "天皇誕生日");
    if (y >= 2020) add(MakeDay(y, 2, 23), "天皇誕生日");
    if (y >= 1949) add(MakeDay(y, 3, unsigned(Equinox(20.8357, 20.8431, 21.8510, y))), "春分の日");
    if (y >= 1989 && y <= 2006) add(MakeDay(y, 4, 29), "みどりの日");
    if (y >= 2007) add(MakeDay(y, 4, 29), "昭和の日");
    if (y >= 1949) add(MakeDay(y, 5, 3), "憲法記念日");
    if (y >= 2007) add(MakeDay(y, 5, 4), "みどりの日");
    if (y >= 1949) add(MakeDay(y, 5, 5), "子供の日");
    if (y >= 1996 && y <= 2002) add(MakeDay(y, 7, 20), "海の日");
    if ((y >= 2003 && y <= 2019) || y >= 2022) add(NthMonday(y, 7, 3), "海の日");
    if (y == 2020) add(MakeDay(y, 7, 23), "海の日");
    if (y == 2021) add(MakeDay(y, 7, 22), "海の日");
    if ((y >= 2016 && y <= 2019) || y >= 2022) add(MakeDay(y, 8, 11), "山の日");
    if (y == 2020) add(MakeDay(y, 8, 10), "山の日");
    if (y == 2021) add(MakeDay(y, 8, 8), "山の日");
    if (y >= 1966 && y <= 2002) add(MakeDay(y, 9, 15), "敬老の日");
    if (y >= 2003) add(NthMonday(y, 9, 3), "敬老の日");
    add(MakeDay(y, 9, unsigned(Equinox(23.2588, 23.2488, 24.2488, y))), "秋分の日");
    if (y >= 1966 && y <= 1999) add(MakeDay(y, 10, 10), "体育の日");
    if (y >= 2000 && y <= 2019) add(NthMonday(y, 10, 2), "体育の日");
    if (y >= 2022) add(NthMonday(y, 10, 2), "スポーツの日");
    if (y == 2020) add(MakeDay(y, 7, 24), "スポーツの日");
    if (y == 2021) add(MakeDay(y, 7, 23), "スポーツの日");
    add(MakeDay(y, 11, 3), "文化の日");
    add(MakeDay(y, 11, 23), "勤労感謝の日");
    return s;
}

std::map<Day, std::string> LawHolidays(int y) {
    const Day lawStarts = MakeDay(1948, 7, 20);
    std::map<Day, std::string> s;
    for (const auto& [d, name] : Article2(y))
        if (d >= lawStarts) s[d] = name;
    if (y == 2019) {
        s[MakeDay(2019, 5, 1)] = "天皇の即位の日";
        s[MakeDay(2019, 10, 22)] = "即位礼正殿の儀";
    }
    std::map<Day, std::string> h = s;
    const std::map<Day, const char*> oneOff = {{MakeDay(1959, 4, 10), "皇太子明仁親王の結婚の儀"},
                                               {MakeDay(1989, 2, 24), "昭和天皇の大喪の礼"},
                                               {MakeDay(1990, 11, 12), "即位礼正殿の儀"},
                                               {MakeDay(1993, 6, 9), "皇太子徳仁親王の結婚の儀"}};
    for (const auto& [d, name] : oneOff)
        if (ch::year_month_day{d}.year() == ch::year{y}) h[d] = name;

    for (const auto& [d, name] : s) {
        if (ch::weekday{d} != ch::Sunday || d < MakeDay(1973, 4, 12)) continue;
        Day e = d + ch::days{1};
        if (d < MakeDay(2007, 1, 1)) {
            if (!s.count(e)) h[e] = "振替休日";
        } else {
            while (s.count(e)) e += ch::days{1};
            h[e] = "振替休日";
        }
    }
    for (Day m = MakeDay(y, 1, 1); m <= MakeDay(y, 12, 31); m += ch::days{1}) {
        if (m < MakeDay(1985, 12, 27) || h.count(m)) continue;
        if (!s.count(m - ch::days{1}) || !s.count(m + ch::days{1})) continue;
        if (m < MakeDay(2007, 1, 1) && ch::weekday{m} == ch::Sunday) continue;
        h[m] = "国民の休日";
    }
    return h;
}

std::string Iso(Day d) {
    const ch::year_month_day ymd{d};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()));
    return text;
}

// The days are walked and named on std::chrono's calendar too, so a fault in our own
// date arithmetic cannot skip a day or shift both sides alike.
TEST(HolidayLaw, EveryDateFrom1948To2050) {
    std::map<Day, std::string> law;
    for (int y = 1948; y <= 2050; ++y) law.merge(LawHolidays(y));
    int wrong = 0;
    for (Day d = MakeDay(1948, 1, 1); d <= MakeDay(2050, 12, 31); d += ch::days{1}) {
        const ch::year_month_day ymd{d};
        const Date date{int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day()))};
        const auto it = law.find(d);
        const std::string expected = it == law.end() ? "" : it->second;
        const std::string actual = HolidayName(date);
        if (actual != expected && ++wrong <= 20) ADD_FAILURE() << Iso(d) << ": " << actual << ", law: " << expected;
    }
    EXPECT_EQ(wrong, 0);
}

// How often each equinox day occurred, as counted against astronomy for 1948..2050.
TEST(HolidayLaw, EquinoxDaysSpread) {
    std::map<std::string, int> count;
    std::map<std::string, std::pair<int, int>> span;
    for (int y = 1948; y <= 2050; ++y)
        for (const Date d : {Date{y, 3, 20}, Date{y, 3, 21}, Date{y, 9, 22}, Date{y, 9, 23}, Date{y, 9, 24}}) {
            const std::string name = HolidayName(d);
            if (name != "春分の日" && name != "秋分の日") continue;
            const std::string key = KeyText(d).substr(4);
            ++count[key];
            auto [it, added] = span.try_emplace(key, y, y);
            it->second.second = y;
        }
    EXPECT_EQ(count, (std::map<std::string, int>{{"0320", 45}, {"0321", 57}, {"0922", 12}, {"0923", 83}, {"0924", 8}}));
    EXPECT_EQ(span["0320"].first, 1960);
    EXPECT_EQ(span["0321"].second, 2047);
    EXPECT_EQ(span["0922"], std::make_pair(2012, 2049));
    EXPECT_EQ(span["0924"], std::make_pair(1951, 1979));
}

#ifndef _WIN32
// "date<TAB>name" lines for 1948-01-01 .. 2050-12-31.
std::string LawList() {
    std::string out;
    for (int y = 1948; y <= 2050; ++y)
        for (const auto& [d, name] : LawHolidays(y)) out += Iso(d) + "\t" + name + "\n";
    return out;
}

// The command-line program, natively (it is the quick check against official lists).
class HolidaysProgram : public ::testing::Test {
protected:
    std::string Run(const std::string& arguments, int* code = nullptr) {
        const std::string out = folder_.File("out.txt");
        const int rc = test::RunBeside("holidays", arguments + " >'" + out + "' 2>/dev/null");
        if (code) *code = rc;
        return test::Exists(out) ? test::ReadBytes(out) : std::string();
    }
    test::TempFolder folder_;
};

TEST_F(HolidaysProgram, RangeAgreesWithTheLaw) {
    int code = -1;
    EXPECT_EQ(Run("1948-01-01 2050-12-31", &code), LawList());
    EXPECT_EQ(code, 0);
}

TEST_F(HolidaysProgram, TableOf2026) {
    EXPECT_EQ(Run("--table 2026"),
              "20260101\t《元旦》\n20260112\t《成人の日》\n20260211\t《建国記念日》\n20260223\t《天皇誕生日》\n"
              "20260320\t《春分の日》\n20260429\t《昭和の日》\n20260503\t《憲法記念日》\n20260504\t《みどりの日》\n"
              "20260505\t《こどもの日》\n20260720\t《海の日》\n20260811\t《山の日》\n20260921\t《敬老の日》\n"
              "20260922\t《国民の休日》\n20260923\t《秋分の日》\n20261012\t《スポーツの日》\n20261103\t《文化の日》\n"
              "20261123\t《勤労感謝の日》\n");
}

TEST_F(HolidaysProgram, RejectsBadArguments) {
    for (const char* arguments : {"", "2026-01-01", "2026-02-30 2026-03-01", "2026-1-1 2026-12-31",
                                  "2026-12-31 2026-01-01", "--table", "--table 20x6", "--table 0"}) {
        int code = -1;
        EXPECT_EQ(Run(arguments, &code), "") << arguments;
        EXPECT_EQ(code, 2) << arguments;
    }
}
#endif

}  // namespace
}  // namespace mb::schedit
