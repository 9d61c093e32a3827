#pragma once
// The private-profile service as the INI class meets it: names and values are
// bytes in the ANSI code page, and a null pointer stands where the platform
// takes NULL. The file name is a UTF-8 path.
#include <cstdint>
#include <string>

namespace mb {

class ProfileService {
public:
    virtual ~ProfileService() = default;
    // Copies into `buffer` and returns the byte count, as GetPrivateProfileStringA.
    virtual std::uint32_t GetString(const char* section, const char* key, const char* def, char* buffer,
                                    std::uint32_t size, const std::string& file) const = 0;
    // Non-zero on success, as WritePrivateProfileStringA.
    virtual std::int32_t WriteString(const char* section, const char* key, const char* value,
                                     const std::string& file) const = 0;
};

// The service the programs use: the platform's on Windows, ours elsewhere.
const ProfileService& PlatformProfile();
// Our own implementation, on every platform.
const ProfileService& OwnProfile();

}  // namespace mb
