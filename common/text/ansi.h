#pragma once
// Files and registry values hold text in the system's ANSI code page (932 on the
// users' machines); inside the programs text is UTF-8. These two are the only
// crossings between the two.
#include <string>
#include <string_view>

namespace mb {

// Characters that the code page cannot hold become '?'.
std::string ToAnsi(std::string_view utf8);
// Bytes that are not valid in the code page become U+FFFD.
std::string FromAnsi(std::string_view ansi);

}  // namespace mb
