#pragma once
// Japanese national holidays under the holiday law as it stands (in force since
// 1948-07-20), in two forms:
// - HolidayName: the name of any single date, substitute days included; the
//   calendar paints every named day in the holiday colour.
// - The yearly table: one year's holidays as "yyyymmdd" keys with names, walked
//   month by month when the editor marks a new month. Substitute days are not in
//   it: the editor marks those itself.
#include "logic/civil_date.h"

#include <string>
#include <vector>

namespace mb::schedit {

// The holiday's name, or empty.
std::string HolidayName(Date d);

// Fills the table for `year`; building the year it already holds does nothing.
void BuildYearHolidays(int year);
// Key of the index-th (from 0) holiday of `month` in the table, or empty. Looks only
// at the month, so it answers for whatever year the table holds. Sets HolidayLabel.
std::string MonthHoliday(int month, int index);
// "《name》" of the entry MonthHoliday found last; empty when it found none.
const std::string& HolidayLabel();

// The table as it stands (date order), and the year it holds (0 before the first build).
const std::vector<std::string>& HolidayKeys();
const std::vector<std::string>& HolidayNames();
int HolidayYear();

// Day of the month of its second or third Monday.
int SecondMonday(int year, int month);
int ThirdMonday(int year, int month);

// Building blocks of HolidayName, exposed for tests only.
namespace detail {
// Name of a holiday fixed by the law's date rules or a one-off law: every day but
// substitute days and sandwiched days.
std::string RuleHolidayName(Date d);
// Day of March / September of the equinox; 99 outside 1948..2150.
int VernalEquinoxDay(int year);
int AutumnalEquinoxDay(int year);
}  // namespace detail

}  // namespace mb::schedit
