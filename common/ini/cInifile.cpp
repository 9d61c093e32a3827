#include "ini/cInifile.h"

#include "text/ansi.h"
#include "text/wide.h"

#include <algorithm>
#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

namespace mb {
namespace {

std::string Ansi(std::string_view utf8) { return ToAnsi(utf8); }

// Parses numeric text; nullopt when it is not a number.
std::optional<double> ParseNumber(std::string_view text) {
    if (!IsNumericText(text)) return std::nullopt;
    std::string s(text);
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (errno == ERANGE && std::isinf(v)) return std::nullopt;
    return v;
}

}  // namespace

bool IsNumericText(std::string_view t) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!t.empty() && blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && blank(t.back())) t.remove_suffix(1);
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        size_t exp = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++exp;
        if (exp == 0) return false;
    }
    return i == t.size();
}

cInifile::RawRead cInifile::Read(std::string_view Section, std::string_view Key) const {
    std::vector<char> buffer(kBufferSize, '\0');
    std::string sec = Ansi(Section), key = Ansi(Key);
    std::uint32_t count = service_->GetString(sec.c_str(), key.c_str(), "", buffer.data(), kBufferSize, fileName_);
    return {FromAnsi(std::string_view(buffer.data())), count};
}

std::string cInifile::ReadStr(std::string_view Section, std::string_view Key, std::string_view Def) const {
    RawRead r = Read(Section, Key);
    return r.count != 0 ? r.text : std::string(Def);
}

std::int16_t cInifile::ReadInt(std::string_view Section, std::string_view Key, std::int16_t Def) const {
    RawRead r = Read(Section, Key);
    if (r.count == 0) return Def;  // the candidate would be Def itself
    auto v = ParseNumber(r.text);
    if (!v) return Def;
    // Halves go to the even neighbour, as the conversion to a whole number does.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    double whole = std::nearbyint(*v);
    std::fesetround(saved);
    if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max())
        return Def;
    return static_cast<std::int16_t>(whole);
}

float cInifile::ReadSingle(std::string_view Section, std::string_view Key, float Def) const {
    RawRead r = Read(Section, Key);
    if (r.count == 0) return Def;
    auto v = ParseNumber(r.text);
    if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return Def;
    return static_cast<float>(*v);
}

std::string cInifile::ReadEntrys(std::string_view Section) const {
    std::vector<char> buffer(kBufferSize, '\0');
    std::string sec = Ansi(Section);
    std::uint32_t count = service_->GetString(sec.c_str(), nullptr, "", buffer.data(), kBufferSize, fileName_);
    // The count is in bytes but the cut is made in characters, so each double-byte
    // character in the names leaves one more NUL at the end.
    std::string all = FromAnsi(std::string_view(buffer.data(), buffer.size()));
    std::wstring chars = Widen(all);
    size_t take = std::min<size_t>(static_cast<size_t>(count) + 1, chars.size());
    return Narrow(std::wstring_view(chars).substr(0, take));
}

std::int32_t cInifile::WriteStr(std::string_view Section, std::string_view Key, std::string_view sData) const {
    return service_->WriteString(Ansi(Section).c_str(), Ansi(Key).c_str(), Ansi(sData).c_str(), fileName_);
}

std::int32_t cInifile::DeleteKey(std::string_view Section, std::string_view Key) const {
    return service_->WriteString(Ansi(Section).c_str(), Ansi(Key).c_str(), nullptr, fileName_);
}

std::int32_t cInifile::DeleteSection(std::string_view Section) const {
    return service_->WriteString(Ansi(Section).c_str(), nullptr, nullptr, fileName_);
}

std::int32_t cInifile::Refresh() const { return service_->WriteString("0", nullptr, "0", fileName_); }

}  // namespace mb
