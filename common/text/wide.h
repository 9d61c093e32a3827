#pragma once
// UTF-8 <-> UTF-16, for the wide-character window calls. Portable, so it is tested natively.
#include <string>
#include <string_view>

namespace mb {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace mb
