#pragma once
// What every part of MBTimer shares for the whole run: the program folder, the
// settings file and the three settings tables; and the common error report.
#include "ini/cInifile.h"
#include "logic/schedule.h"

#include <string>
#include <string_view>

namespace mb::timer {

struct mMain {
    std::string AppFolder;  // ends in "\"
    cInifile TimerIni;
    ScheduleTables tables;
};

// The stop box of a run-time error; returns when the user has closed it.
void ReportError(long line, long number, std::string_view procedure, std::string_view description);

// Call only inside a catch block: the box for the exception being handled,
// under the name of the procedure that failed.
void ReportCurrentException(std::string_view procedure);

// Thrown by a procedure that has already reported its error, so that the event
// handler around it only ends the program.
struct AlreadyReported {};

}  // namespace mb::timer
