#include "logic/report_error.h"

namespace mb::timer {

std::string ReportErrorText(long line, long number, std::string_view procedure, std::string_view description) {
    std::string text = "L=" + std::to_string(line) + ":N=";
    if (number != 0) text += std::to_string(number);
    text += "\r\nIn ";
    text += procedure;
    text += ".\r\n<";
    text += description;
    text += ">";
    return text;
}

}  // namespace mb::timer
