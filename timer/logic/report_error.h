#pragma once
// MBTimer's one way to report a run-time error: a stop box with where and what,
// after which the program ends.
#include <stdexcept>
#include <string>
#include <string_view>

namespace mb::timer {

// A run-time error with a number, as the error box shows it.
class RunTimeError : public std::runtime_error {
public:
    RunTimeError(long number, const std::string& description) : std::runtime_error(description), number_(number) {}
    long Number() const { return number_; }

private:
    long number_;
};

inline constexpr long kSubscriptOutOfRange = 9;
inline constexpr long kOutOfMemory = 7;

inline constexpr std::string_view kReportErrorTitle = "エラーが発生しました";

// "L=<line>:N=<number>", "In <procedure>.", "<<description>>" on three lines;
// the number is left out when it is 0.
std::string ReportErrorText(long line, long number, std::string_view procedure, std::string_view description);

}  // namespace mb::timer
