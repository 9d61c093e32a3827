#include "logic/startup.h"

#include <cstdint>
#include <cstdio>

namespace mb::timer {
namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string ArgumentsOf(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && Blank(line[i])) ++i;
    if (i < line.size() && line[i] == '"') {
        size_t close = line.find('"', i + 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && !Blank(line[i])) ++i;
    }
    while (i < line.size() && Blank(line[i])) ++i;
    return std::string(line.substr(i));
}

bool IsHiddenSwitch(std::string_view arguments) {
    while (!arguments.empty() && Blank(arguments.back())) arguments.remove_suffix(1);
    return arguments.size() == 2 && arguments[0] == '/' && Upper(arguments[1]) == 'H';
}

std::string InstanceName(std::string_view exePath) {
    // A path can be longer than a kernel object name may be, and holds "\": hash it.
    std::uint64_t h = 14695981039346656037ull;
    for (char c : exePath) {
        h ^= static_cast<unsigned char>(c == '/' ? '\\' : Upper(c));
        h *= 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
    return std::string("MBTimer.Instance.") + hex;
}

}  // namespace mb::timer
