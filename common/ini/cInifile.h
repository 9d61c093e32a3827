#pragma once
// One object per INI file, bound by FileName. Every read goes to the file and never
// fails (a missing file, section or key gives the caller's default); every write
// goes to the file at once. Text is UTF-8 here and ANSI in the file.
#include "ini/profile_service.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace mb {

class cInifile {
public:
    cInifile() : service_(&PlatformProfile()) {}
    // Tests bind an instance to one particular service.
    explicit cInifile(const ProfileService& service) : service_(&service) {}

    std::int32_t DeleteKey(std::string_view Section, std::string_view Key) const;
    // Each key name followed by a NUL, and one more NUL after the last.
    std::string ReadEntrys(std::string_view Section) const;
    float ReadSingle(std::string_view Section, std::string_view Key, float Def = 0) const;
    std::int32_t Refresh() const;
    std::int32_t WriteStr(std::string_view Section, std::string_view Key, std::string_view sData) const;
    std::int32_t DeleteSection(std::string_view Section) const;
    std::int16_t ReadInt(std::string_view Section, std::string_view Key, std::int16_t Def = 0) const;
    std::string ReadStr(std::string_view Section, std::string_view Key, std::string_view Def = {}) const;

    const std::string& FileName() const { return fileName_; }
    void FileName(std::string vData) { fileName_ = std::move(vData); }

    static constexpr std::uint32_t kBufferSize = 1024;

private:
    struct RawRead {
        std::string text;    // up to the first NUL
        std::uint32_t count;
    };
    RawRead Read(std::string_view Section, std::string_view Key) const;

    const ProfileService* service_;
    std::string fileName_;
};

// The number syntax the INI reads accept: blanks around, a sign, digits with at
// most one decimal point, an optional exponent. Exposed for tests.
bool IsNumericText(std::string_view text);

}  // namespace mb
