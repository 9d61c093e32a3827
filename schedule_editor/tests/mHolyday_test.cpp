// Holiday names and the yearly table, case by case: the law's milestones and the
// examples of the law's own commentary. The whole span 1948..2050 is compared
// with an independent reading of the law in holiday_law_test.cpp.
#include "logic/mHolyday.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mb::schedit {
namespace {

struct NameCase {
    Date date;
    const char* name;  // "" = no holiday
};

class HolidayNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(HolidayNameTest, FollowsTheLaw) {
    const NameCase& c = GetParam();
    EXPECT_EQ(HolidayName(c.date), c.name) << IsoText(c.date);
}

std::string CaseName(const ::testing::TestParamInfo<NameCase>& info) {
    return KeyText(info.param.date);
}

// clang-format off
// The law took effect on 1948-07-20: its first holidays were in the autumn.
INSTANTIATE_TEST_SUITE_P(LawStarts, HolidayNameTest, ::testing::Values(
    NameCase{{1948, 5, 3}, ""},
    NameCase{{1948, 7, 19}, ""},
    NameCase{{1948, 9, 23}, "秋分の日"},
    NameCase{{1948, 11, 3}, "文化の日"},
    NameCase{{1948, 11, 23}, "勤労感謝の日"},
    NameCase{{1949, 1, 1}, "元日"},
    NameCase{{1949, 5, 5}, "子供の日"}), CaseName);

INSTANTIATE_TEST_SUITE_P(DaysAddedAndMoved, HolidayNameTest, ::testing::Values(
    NameCase{{1966, 2, 11}, ""},
    NameCase{{1967, 2, 11}, "建国記念の日"},
    NameCase{{1965, 9, 15}, ""},
    NameCase{{1966, 9, 15}, "敬老の日"},
    NameCase{{1966, 10, 10}, "体育の日"},
    NameCase{{1988, 4, 29}, "天皇誕生日"},
    NameCase{{1989, 4, 29}, "みどりの日"},
    NameCase{{1988, 12, 23}, ""},
    NameCase{{1989, 12, 23}, "天皇誕生日"},
    NameCase{{1999, 1, 15}, "成人の日"},
    NameCase{{2000, 1, 15}, ""},
    NameCase{{2000, 1, 10}, "成人の日"},
    NameCase{{1995, 7, 20}, ""},
    NameCase{{1996, 7, 20}, "海の日"},
    NameCase{{2002, 7, 20}, "海の日"},
    NameCase{{2003, 7, 20}, ""},
    NameCase{{2003, 7, 21}, "海の日"},
    NameCase{{2002, 9, 15}, "敬老の日"},
    NameCase{{2003, 9, 15}, "敬老の日"},
    NameCase{{2000, 10, 9}, "体育の日"},
    NameCase{{2000, 10, 10}, ""},
    NameCase{{2007, 4, 29}, "昭和の日"},
    NameCase{{2007, 5, 4}, "みどりの日"},
    NameCase{{2015, 8, 11}, ""},
    NameCase{{2016, 8, 11}, "山の日"},
    NameCase{{2026, 1, 12}, "成人の日"},
    NameCase{{2026, 7, 20}, "海の日"},
    NameCase{{2026, 9, 21}, "敬老の日"},
    NameCase{{2026, 10, 12}, "スポーツの日"}), CaseName);

// The emperor's birthday: 23 December until 2018, none in 2019, 23 February since.
// The Olympic years moved three days; the reign change added two.
INSTANTIATE_TEST_SUITE_P(From2018To2021, HolidayNameTest, ::testing::Values(
    NameCase{{2018, 12, 23}, "天皇誕生日"},
    NameCase{{2018, 12, 24}, "振替休日"},
    NameCase{{2019, 2, 23}, ""},
    NameCase{{2019, 12, 23}, ""},
    NameCase{{2019, 4, 29}, "昭和の日"},
    NameCase{{2019, 4, 30}, "国民の休日"},
    NameCase{{2019, 5, 1}, "天皇の即位の日"},
    NameCase{{2019, 5, 2}, "国民の休日"},
    NameCase{{2019, 5, 6}, "振替休日"},
    NameCase{{2019, 8, 12}, "振替休日"},
    NameCase{{2019, 10, 14}, "体育の日"},
    NameCase{{2019, 10, 22}, "即位礼正殿の儀"},
    NameCase{{2020, 2, 23}, "天皇誕生日"},
    NameCase{{2020, 2, 24}, "振替休日"},
    NameCase{{2020, 7, 20}, ""},
    NameCase{{2020, 7, 23}, "海の日"},
    NameCase{{2020, 7, 24}, "スポーツの日"},
    NameCase{{2020, 8, 10}, "山の日"},
    NameCase{{2020, 8, 11}, ""},
    NameCase{{2020, 10, 12}, ""},
    NameCase{{2021, 7, 19}, ""},
    NameCase{{2021, 7, 22}, "海の日"},
    NameCase{{2021, 7, 23}, "スポーツの日"},
    NameCase{{2021, 8, 8}, "山の日"},
    NameCase{{2021, 8, 9}, "振替休日"},
    NameCase{{2021, 10, 11}, ""}), CaseName);

// Substitute days: none before 1973-04-12; the next day only until 2006; since 2007
// the first day after that is no holiday, so Golden Week pushes it to 6 May.
INSTANTIATE_TEST_SUITE_P(SubstituteDays, HolidayNameTest, ::testing::Values(
    NameCase{{1973, 2, 12}, ""},
    NameCase{{1973, 4, 30}, "振替休日"},
    NameCase{{1973, 9, 24}, "振替休日"},
    NameCase{{1987, 5, 4}, "振替休日"},
    NameCase{{1990, 12, 24}, "振替休日"},
    NameCase{{1998, 5, 4}, "振替休日"},
    NameCase{{2002, 9, 16}, "振替休日"},
    NameCase{{2008, 5, 6}, "振替休日"},
    NameCase{{2009, 5, 6}, "振替休日"},
    NameCase{{2024, 2, 12}, "振替休日"},
    NameCase{{2024, 11, 25}, ""},
    NameCase{{2025, 5, 6}, "振替休日"},
    NameCase{{2026, 5, 3}, "憲法記念日"},
    NameCase{{2026, 5, 4}, "みどりの日"},
    NameCase{{2026, 5, 5}, "子供の日"},
    NameCase{{2026, 5, 6}, "振替休日"},
    NameCase{{2027, 3, 21}, "春分の日"},
    NameCase{{2027, 3, 22}, "振替休日"}), CaseName);

// Days between two holidays: from 1985-12-27, before 2007 not on a Sunday.
INSTANTIATE_TEST_SUITE_P(SandwichedDays, HolidayNameTest, ::testing::Values(
    NameCase{{1985, 5, 4}, ""},
    NameCase{{1986, 5, 4}, ""},
    NameCase{{1988, 5, 4}, "国民の休日"},
    NameCase{{1997, 5, 4}, ""},
    NameCase{{2009, 9, 22}, "国民の休日"},
    NameCase{{2015, 9, 22}, "国民の休日"},
    NameCase{{2026, 9, 22}, "国民の休日"},
    NameCase{{2009, 9, 21}, "敬老の日"},
    NameCase{{2009, 9, 23}, "秋分の日"}), CaseName);

INSTANTIATE_TEST_SUITE_P(OneOffDays, HolidayNameTest, ::testing::Values(
    NameCase{{1959, 4, 10}, "皇太子明仁親王の結婚の儀"},
    NameCase{{1989, 2, 24}, "昭和天皇の大喪の礼"},
    NameCase{{1990, 11, 12}, "即位礼正殿の儀"},
    NameCase{{1993, 6, 9}, "皇太子徳仁親王の結婚の儀"},
    NameCase{{1960, 4, 10}, ""},
    NameCase{{1990, 2, 24}, ""},
    NameCase{{1991, 11, 12}, ""},
    NameCase{{1994, 6, 9}, ""}), CaseName);

// Truncation toward zero matters before 1983: floor would give 9/22 and 3/21.
INSTANTIATE_TEST_SUITE_P(EquinoxDays, HolidayNameTest, ::testing::Values(
    NameCase{{1951, 9, 24}, "秋分の日"},
    NameCase{{1956, 9, 23}, "秋分の日"},
    NameCase{{1960, 3, 20}, "春分の日"},
    NameCase{{2012, 9, 22}, "秋分の日"},
    NameCase{{2026, 3, 20}, "春分の日"},
    NameCase{{2026, 9, 23}, "秋分の日"}), CaseName);
// clang-format on

TEST(EquinoxDay, FormulaRanges) {
    struct Case {
        int year, vernal, autumnal;
    };
    const Case cases[] = {
        {1947, 99, 99}, {1948, 21, 23}, {1955, 21, 24}, {1960, 20, 23}, {2000, 20, 23},
        {2012, 20, 22}, {2100, 20, 23}, {2150, 21, 23}, {2151, 99, 99},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(detail::VernalEquinoxDay(c.year), c.vernal) << c.year;
        EXPECT_EQ(detail::AutumnalEquinoxDay(c.year), c.autumnal) << c.year;
    }
}

TEST(RuleHolidayName, LeavesSubstituteAndSandwichedDaysToHolidayName) {
    EXPECT_EQ(detail::RuleHolidayName({2026, 5, 3}), "憲法記念日");
    EXPECT_EQ(detail::RuleHolidayName({2026, 5, 6}), "");
    EXPECT_EQ(detail::RuleHolidayName({2026, 9, 22}), "");
}

TEST(NthMonday, OfMonthsStartingOnEachWeekday) {
    // 2026: Feb starts on Sunday, Jun on Monday, Sep on Tuesday, Jan on Thursday, Aug on Saturday.
    EXPECT_EQ(SecondMonday(2026, 2), 9);
    EXPECT_EQ(SecondMonday(2026, 6), 8);
    EXPECT_EQ(ThirdMonday(2026, 9), 21);
    EXPECT_EQ(SecondMonday(2026, 1), 12);
    EXPECT_EQ(ThirdMonday(2026, 8), 17);
}

// ---- The yearly table ---------------------------------------------------------

std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < HolidayKeys().size(); ++i) rows.push_back(HolidayKeys()[i] + " " + HolidayNames()[i]);
    return rows;
}

struct TableCase {
    const char* name;
    int year;
    std::vector<std::string> rows;
};

class YearTableTest : public ::testing::TestWithParam<TableCase> {};

TEST_P(YearTableTest, ListsTheYearsHolidaysButSubstituteDays) {
    BuildYearHolidays(GetParam().year);
    EXPECT_EQ(HolidayYear(), GetParam().year);
    EXPECT_EQ(Rows(), GetParam().rows);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Years, YearTableTest, ::testing::Values(
    TableCase{"Y1947NoLawYet", 1947, {}},
    TableCase{"Y1948FromJuly20", 1948, {"19480923 秋分の日", "19481103 文化の日", "19481123 勤労感謝の日"}},
    TableCase{"Y2000", 2000, {
        "20000101 元旦", "20000110 成人の日", "20000211 建国記念日", "20000320 春分の日", "20000429 みどりの日",
        "20000503 憲法記念日", "20000504 国民の休日", "20000505 こどもの日", "20000720 海の日", "20000915 敬老の日",
        "20000923 秋分の日", "20001009 体育の日", "20001103 文化の日", "20001123 勤労感謝の日", "20001223 天皇誕生日"}},
    TableCase{"Y2019", 2019, {
        "20190101 元旦", "20190114 成人の日", "20190211 建国記念日", "20190321 春分の日", "20190429 昭和の日",
        "20190430 国民の休日", "20190501 天皇の即位の日", "20190502 国民の休日", "20190503 憲法記念日",
        "20190504 みどりの日", "20190505 こどもの日", "20190715 海の日", "20190811 山の日", "20190916 敬老の日",
        "20190923 秋分の日", "20191014 体育の日", "20191022 即位礼正殿の儀", "20191103 文化の日", "20191123 勤労感謝の日"}},
    TableCase{"Y2026", 2026, {
        "20260101 元旦", "20260112 成人の日", "20260211 建国記念日", "20260223 天皇誕生日", "20260320 春分の日",
        "20260429 昭和の日", "20260503 憲法記念日", "20260504 みどりの日", "20260505 こどもの日", "20260720 海の日",
        "20260811 山の日", "20260921 敬老の日", "20260922 国民の休日", "20260923 秋分の日", "20261012 スポーツの日",
        "20261103 文化の日", "20261123 勤労感謝の日"}},
    TableCase{"Y2027", 2027, {
        "20270101 元旦", "20270111 成人の日", "20270211 建国記念日", "20270223 天皇誕生日", "20270321 春分の日",
        "20270429 昭和の日", "20270503 憲法記念日", "20270504 みどりの日", "20270505 こどもの日", "20270719 海の日",
        "20270811 山の日", "20270920 敬老の日", "20270923 秋分の日", "20271011 スポーツの日", "20271103 文化の日",
        "20271123 勤労感謝の日"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(YearTable, Of1999KeepsTheFixedDays) {
    BuildYearHolidays(1999);
    const auto& keys = HolidayKeys();
    ASSERT_GE(keys.size(), 12u);
    EXPECT_EQ(keys[1], "19990115");
    EXPECT_EQ(keys[8], "19990720");
    EXPECT_EQ(keys[11], "19991010");
}

TEST(YearTable, AnotherYearReplacesTheLists) {
    BuildYearHolidays(2000);
    BuildYearHolidays(2026);
    EXPECT_EQ(HolidayKeys().front(), "20260101");
    EXPECT_EQ(HolidayKeys().size(), HolidayNames().size());
}

TEST(MonthHoliday, WalksOneMonthByIndex) {
    BuildYearHolidays(2000);
    struct Step {
        int month, index;
        const char* key;
        const char* label;
    };
    const Step steps[] = {
        {5, 0, "20000503", "《憲法記念日》"},
        {5, 1, "20000504", "《国民の休日》"},
        {5, 2, "20000505", "《こどもの日》"},
        {5, 3, "", ""},
        {8, 0, "", ""},
        {1, 1, "20000110", "《成人の日》"},
        {12, 0, "20001223", "《天皇誕生日》"},
        {12, 1, "", ""},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(MonthHoliday(s.month, s.index), s.key) << s.month << "/" << s.index;
        EXPECT_EQ(HolidayLabel(), s.label) << s.month << "/" << s.index;
    }
}

TEST(MonthHoliday, AnswersForTheYearTheTableHolds) {
    BuildYearHolidays(2019);
    EXPECT_EQ(MonthHoliday(5, 0), "20190501");
    EXPECT_EQ(HolidayLabel(), "《天皇の即位の日》");
    EXPECT_EQ(MonthHoliday(5, 4), "20190505");
    BuildYearHolidays(2026);
    EXPECT_EQ(MonthHoliday(5, 0), "20260503");
    EXPECT_EQ(MonthHoliday(9, 1), "20260922");
}

}  // namespace
}  // namespace mb::schedit
