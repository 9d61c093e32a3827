#include "logic/civil_date.h"

#include <gtest/gtest.h>

#include <chrono>

namespace mb::schedit {
namespace {

namespace ch = std::chrono;

// Our arithmetic against the standard calendar, 1600..2400 (leap centuries included).
TEST(CivilDate, AgreesWithStdChrono) {
    const ch::sys_days from = ch::year{1600} / 1 / 1, to = ch::year{2400} / 12 / 31;
    for (ch::sys_days d = from; d <= to; d += ch::days{1}) {
        const ch::year_month_day ymd{d};
        const Date ours{int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day()))};
        ASSERT_EQ(DaysFromCivil(ours), d.time_since_epoch().count()) << IsoText(ours);
        ASSERT_EQ(CivilFromDays(d.time_since_epoch().count()), ours);
        ASSERT_EQ(Weekday(ours), int(ch::weekday{d}.c_encoding()) + 1) << IsoText(ours);
        ASSERT_EQ(DaysInMonth(ours.year, ours.month), int(unsigned((ymd.year() / ymd.month() / ch::last).day())));
    }
}

TEST(CivilDate, EmptyDateIsEarliest) {
    EXPECT_TRUE(Date{}.Empty());
    EXPECT_LT(Date{}, (Date{1, 1, 1}));
    EXPECT_FALSE(IsValid(Date{}));
}

TEST(ParseIsoDate, AcceptsOnlyRealDays) {
    EXPECT_EQ(ParseIsoDate("2024-02-29"), (Date{2024, 2, 29}));
    EXPECT_EQ(ParseIsoDate("0001-01-01"), (Date{1, 1, 1}));
    for (const char* bad : {"2023-02-29", "2026-13-01", "2026-00-10", "2026-1-01", "2026/01/01", "2026-01-01x",
                            "+026-01-01", "", "0000-01-01"})
        EXPECT_FALSE(ParseIsoDate(bad)) << bad;
}

TEST(FormatDate, Masks) {
    MonthNames names;
    names.full = {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"};
    names.abbreviated = {"M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8", "M9", "M10", "M11", "M12"};
    struct Case {
        const char* mask;
        const char* text;
    };
    const Case cases[] = {
        {"yyyy-mmmm", "2026-5月"},     {"yyyymm", "202605"},         {"yyyy年m月", "2026年5月"}, {"yyyy/m/", "2026/5/"},
        {"yy mmm dd d", "26 M5 09 9"}, {"\\d \"mm\" mm", "d mm 05"}, {"YYYY-MM", "2026-05"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDate({2026, 5, 9}, c.mask, names), c.text) << c.mask;
}

}  // namespace
}  // namespace mb::schedit
