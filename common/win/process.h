#pragma once
// Starting the suite's programs and the outside ones.
#include <string>

namespace mb::win {

// Starts a program by its full command line (UTF-8). The new window gets `show`
// (SW_SHOWNORMAL, SW_SHOWNOACTIVATE, ...). Not waited for. On failure returns false
// and puts the platform's description of the error into `error`.
bool StartProgram(const std::string& commandLine, int show, std::string* error = nullptr);

// The platform's text for an error code, without the trailing line break.
std::string ErrorText(unsigned long code);

// The folder of the running executable, ending in "\".
std::string ProgramFolder();

}  // namespace mb::win
