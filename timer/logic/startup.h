#pragma once
// Start-up decisions that do not need the platform: the command line and the
// name by which copies of one executable find each other.
#include <string>
#include <string_view>

namespace mb::timer {

// The arguments of a full command line: what follows the program name (quoted
// or not) and the blanks after it.
std::string ArgumentsOf(std::string_view commandLine);

// Hidden mode: the arguments are "/H" in any case, and nothing else.
bool IsHiddenSwitch(std::string_view arguments);

// Name of the kernel object a running MBTimer holds, the same for every copy
// started from this executable (paths compare without regard to case) and
// different for a copy in another folder.
std::string InstanceName(std::string_view exePath);

}  // namespace mb::timer
