#include "wallset_logic/wallset_registry.h"

#include "ini/cInifile.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace mb::wallset {

namespace {

// A number in the syntax the INI reads accept, rounded half to even; false for a
// non-number.
template <typename Int>
bool ParseRounded(std::string_view text, Int& out) {
    if (!IsNumericText(text)) return false;
    std::string s(text);
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(s.c_str(), &end);
    double r = std::nearbyint(v);  // the default rounding mode: to nearest, ties to even
    if ((errno == ERANGE && std::isinf(v)) ||
        !(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max()))
        throw std::overflow_error("オーバーフローしました。");
    out = static_cast<Int>(r);
    return true;
}

}  // namespace

std::string LowerAscii(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string SavedSettingsKey(std::string_view FileName) {
    return "Software\\VB and VBA Program Settings\\Tovrane\\" + std::string(FileName) + "\\OldWallPaper";
}

CurrentWall ParseCurrentWall(std::string name, std::string_view originX, std::string_view originY,
                             std::string_view tiling, std::int16_t tilingBefore) {
    CurrentWall w;
    w.name = std::move(name);
    if (!ParseRounded(originX, w.x)) w.x = 0;
    if (!ParseRounded(originY, w.y)) w.y = 0;
    if (!ParseRounded(tiling, w.tiling)) w.tiling = tilingBefore;
    return w;
}

std::string_view LastPathPart(std::string_view path) {
    std::size_t cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool IsOwnBitmap(std::string_view existingFileName, std::string_view FileName) {
    return LowerAscii(existingFileName) == LowerAscii(std::string(FileName) + ".bmp");
}

bool IsOwnWallpaper(std::string_view wallpaperPath, std::string_view existingFileName, std::string_view FileName) {
    return IsOwnBitmap(existingFileName, FileName) || IsOwnBitmap(LastPathPart(wallpaperPath), FileName);
}

std::vector<RegistryWrite> SavedSettingsWrites(std::string_view FileName, const CurrentWall& wall) {
    std::string key = SavedSettingsKey(LowerAscii(FileName));
    return {
        {key, std::string(kSavedFileNameValue), wall.name},
        {key, std::string(kSavedXValue), std::to_string(wall.x)},
        {key, std::string(kSavedYValue), std::to_string(wall.y)},
        {key, std::string(kSavedTilingValue), std::to_string(wall.tiling)},
    };
}

std::vector<RegistryWrite> DesktopWrites(std::string_view tile, std::string_view originX, std::string_view originY) {
    std::string key(kDesktopKey);
    return {
        {key, std::string(kTileValue), std::string(tile)},
        {key, std::string(kOriginXValue), std::string(originX)},
        {key, std::string(kOriginYValue), std::string(originY)},
    };
}

}  // namespace mb::wallset
