// Our private-profile service. Reads see the file as it is now (no cache); a change
// is written to a temporary file beside the old one and renamed over it, so a crash
// or a full disk never leaves half a file.
#include "ini/ini_document.h"
#include "ini/profile_service.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string_view>
#include <system_error>

namespace mb {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// nullopt when the file cannot be read; an empty text when it does not exist.
std::optional<std::string> Load(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return ec ? std::nullopt : std::optional<std::string>(std::string());
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return ss.str();
}

bool Store(const fs::path& path, const std::string& bytes) {
    std::error_code ec;
    fs::path dir = path.parent_path();
    if (!dir.empty() && !fs::is_directory(dir, ec)) return false;
    std::random_device rd;
    fs::path tmp = path;
    tmp += ".tmp" + std::to_string(rd() % 1000000);
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(tmp, ec);
            return false;
        }
    }
    fs::rename(tmp, path, ec);
    if (ec) {
        fs::remove(tmp, ec);
        return false;
    }
    return true;
}

// Copies a single value: at most size-1 bytes, never half a double-byte character.
std::uint32_t CopyValue(std::string_view v, char* buffer, std::uint32_t size) {
    size_t n = 0;
    while (n < v.size()) {
        size_t step = IsCp932Lead(static_cast<unsigned char>(v[n])) && n + 1 < v.size() ? 2 : 1;
        if (n + step > size - 1) break;
        n += step;
    }
    std::memcpy(buffer, v.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

// Copies a NUL-separated list: when it does not fit (an exact fit counts as not
// fitting) the last item is cut so that two NULs still fit, and size-2 is returned.
std::uint32_t CopyList(const std::vector<std::string>& items, char* buffer, std::uint32_t size) {
    std::string list;
    for (const std::string& item : items) list.append(item).push_back('\0');
    if (list.size() + 2 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        return static_cast<std::uint32_t>(list.size());
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

std::string_view DefaultOf(const char* def) {
    std::string_view d = def ? def : "";
    while (!d.empty() && d.back() == ' ') d.remove_suffix(1);
    return d;
}

class OwnProfileService final : public ProfileService {
public:
    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buffer,
                            std::uint32_t size, const std::string& file) const override {
        if (size == 0 || buffer == nullptr) return 0;
        std::optional<std::string> bytes = file.empty() ? std::optional<std::string>("") : Load(PathOf(file));
        IniDocument doc(bytes.value_or(std::string()));
        if (section == nullptr) {
            if (!bytes || bytes->empty()) {
                buffer[0] = '\0';
                return 0;
            }
            return CopyList(doc.SectionNames(), buffer, size);
        }
        if (key == nullptr) {
            auto keys = doc.KeyNames(section);
            if (keys && !keys->empty()) return CopyList(*keys, buffer, size);
            std::uint32_t n = CopyValue(DefaultOf(def), buffer, size);
            if (n + 1 < size) buffer[n + 1] = '\0';
            return n;
        }
        if (auto v = doc.Value(section, key)) return CopyValue(*v, buffer, size);
        return CopyValue(DefaultOf(def), buffer, size);
    }

    std::int32_t WriteString(const char* section, const char* key, const char* value,
                             const std::string& file) const override {
        if (file.empty()) return 0;
        if (section == nullptr) return (key == nullptr && value == nullptr) ? 1 : 0;  // the flush call
        fs::path path = PathOf(file);
        std::optional<std::string> bytes = Load(path);
        if (!bytes) return 0;
        IniDocument doc(std::move(*bytes));
        bool changed = key == nullptr     ? doc.DeleteSection(section)
                       : value == nullptr ? doc.DeleteKey(section, key)
                                          : doc.Set(section, key, value);
        if (!changed) return 1;
        return Store(path, doc.Bytes()) ? 1 : 0;
    }
};

}  // namespace

const ProfileService& OwnProfile() {
    static const OwnProfileService service;
    return service;
}

}  // namespace mb
