// Prints the holiday rules for checking against an official list:
//   holidays FROM TO       each named date from FROM to TO (YYYY-MM-DD): "date<TAB>name"
//   holidays --table YEAR  the yearly table of YEAR: "key<TAB>label"
#include "logic/civil_date.h"
#include "logic/mHolyday.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

using namespace mb::schedit;

namespace {

int Usage() {
    std::fputs(
        "usage: holidays FROM TO      (dates as YYYY-MM-DD)\n"
        "       holidays --table YEAR\n",
        stderr);
    return 2;
}

int Range(std::string_view fromText, std::string_view toText) {
    const auto from = ParseIsoDate(fromText), to = ParseIsoDate(toText);
    if (!from || !to) {
        std::fprintf(stderr, "holidays: not a date (YYYY-MM-DD): %s\n", std::string(!from ? fromText : toText).c_str());
        return 2;
    }
    if (*to < *from) {
        std::fputs("holidays: TO is before FROM\n", stderr);
        return 2;
    }
    for (Date d = *from; d <= *to; d = AddDays(d, 1)) {
        const std::string name = HolidayName(d);
        if (!name.empty()) std::printf("%s\t%s\n", IsoText(d).c_str(), name.c_str());
    }
    return 0;
}

int Table(std::string_view yearText) {
    int year = 0;
    const auto [end, error] = std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
    if (error != std::errc() || end != yearText.data() + yearText.size() || year < 1 || year > 9999) {
        std::fprintf(stderr, "holidays: not a year (1-9999): %s\n", std::string(yearText).c_str());
        return 2;
    }
    BuildYearHolidays(year);
    for (int month = 1; month <= 12; ++month)
        for (int i = 0;; ++i) {
            const std::string key = MonthHoliday(month, i);
            if (key.empty()) break;
            std::printf("%s\t%s\n", key.c_str(), HolidayLabel().c_str());
        }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--table") return Table(argv[2]);
    if (argc == 3) return Range(argv[1], argv[2]);
    return Usage();
}
