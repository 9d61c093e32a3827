#pragma once
// The desktop values cWallSet writes and the saved copy of the user's own wallpaper,
// as data: key, value name and text, in the order they are written.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mb::wallset {

inline constexpr std::string_view kDesktopKey = "Control Panel\\desktop";
inline constexpr std::string_view kWallpaperValue = "Wallpaper";
inline constexpr std::string_view kTileValue = "TileWallpaper";
inline constexpr std::string_view kOriginXValue = "WallpaperOriginX";
inline constexpr std::string_view kOriginYValue = "WallpaperOriginY";
inline constexpr std::string_view kSavedFileNameValue = "FileName";
inline constexpr std::string_view kSavedXValue = "CurrentX";
inline constexpr std::string_view kSavedYValue = "CurrentY";
inline constexpr std::string_view kSavedTilingValue = "Tiling";

struct RegistryWrite {
    std::string key;
    std::string name;
    std::string text;
    bool operator==(const RegistryWrite&) const = default;
};

// Under HKEY_CURRENT_USER; key names are compared without case, so "Murabell" and
// "murabell" address one key.
std::string SavedSettingsKey(std::string_view FileName);

// The desktop settings as found before a change.
struct CurrentWall {
    std::string name;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int16_t tiling = 0;
};

// Reads the desktop's texts the way the saved copy needs them: a number is rounded
// (a half to the even neighbour), a non-number gives 0 for the origin and keeps
// `tilingBefore` for the tiling. A number too large throws std::overflow_error.
CurrentWall ParseCurrentWall(std::string name, std::string_view originX, std::string_view originY,
                             std::string_view tiling, std::int16_t tilingBefore);

// True when the existing wallpaper file (its name only, or empty when there is no
// such file) is our own bitmap FileName + ".bmp". Case is ignored.
bool IsOwnBitmap(std::string_view existingFileName, std::string_view FileName);

// Whether the desktop shows our own bitmap: by the name the file system gives the
// existing file (a short 8.3 path gives the long name), or by the path's own last
// part. The second matters when our bitmap has been deleted: saving then would
// replace the user's wallpaper with ours for good.
bool IsOwnWallpaper(std::string_view wallpaperPath, std::string_view existingFileName, std::string_view FileName);

// The last part of a path ("\" or "/" separated).
std::string_view LastPathPart(std::string_view path);

// "FileName", "CurrentX", "CurrentY", "Tiling" into the saved-settings key of the lower-cased FileName.
std::vector<RegistryWrite> SavedSettingsWrites(std::string_view FileName, const CurrentWall& wall);

// "TileWallpaper", "WallpaperOriginX", "WallpaperOriginY", in this order.
std::vector<RegistryWrite> DesktopWrites(std::string_view tile, std::string_view originX, std::string_view originY);

std::string LowerAscii(std::string_view text);

}  // namespace mb::wallset
