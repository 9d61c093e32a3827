#include "ini/profile_service.h"
#include "text/ansi.h"

#include <windows.h>

namespace mb {
namespace {

class Win32Profile final : public ProfileService {
public:
    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buffer,
                            std::uint32_t size, const std::string& file) const override {
        return GetPrivateProfileStringA(section, key, def, buffer, size, ToAnsi(file).c_str());
    }
    std::int32_t WriteString(const char* section, const char* key, const char* value,
                             const std::string& file) const override {
        return WritePrivateProfileStringA(section, key, value, ToAnsi(file).c_str());
    }
};

}  // namespace

const ProfileService& PlatformProfile() {
    static const Win32Profile service;
    return service;
}

}  // namespace mb
