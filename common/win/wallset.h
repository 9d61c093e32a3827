#pragma once
// cWallSet: makes a picture the desktop wallpaper. Writes it as the bitmap
// FileName + ".bmp", sets the desktop's tiling and origin values and has the shell
// load it; before replacing a wallpaper that is not its own, it keeps the user's
// settings under a key of its own so they can be put back.
#include "wallset_logic/picture_image.h"
#include "wallset_logic/wallset_geometry.h"
#include "wallset_logic/wallset_registry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace mb {

// Folders the wallpaper bitmap may go to, first choice first; each ends in "\".
// Ordinary users may not write into the Windows folder on current Windows, so the
// bitmap then goes into a folder of the suite under the user's local application data.
struct BitmapFolders {
    std::string windows;
    std::string perUser;
};
BitmapFolders PlatformBitmapFolders();

class cWallSet {
public:
    // The screen is taken once, here.
    cWallSet();
    // For tests: a given screen and bitmap folders.
    cWallSet(wallset::Screen screen, std::function<BitmapFolders()> folders);

    // Shows the current wallpaper centred at the origin 0, 0. Errors reach the caller.
    void Centering() const;

    const std::string& FileName() const { return fileName_; }
    void FileName(std::string sData) { fileName_ = std::move(sData); }

    // The current wallpaper's path as the desktop settings hold it.
    std::string NowWallName() const;

    // Index outside 0 to 4: std::out_of_range for the caller.
    std::int32_t IndentSpace(std::int16_t Index) const { return placement_.IndentSpace(Index); }
    void IndentSpace(std::int16_t Index, std::int32_t vData) { placement_.IndentSpace(Index, vData); }

    // Written unchanged to "TileWallpaper": 0 centred, 1 tiled, 2 and 3 the same at a given origin.
    std::int16_t tile() const { return tile_; }
    void tile(std::int16_t vData) { tile_ = vData; }

    // False, after a stop box "SetWallError" + description, when anything fails;
    // false without a box when FileName is empty.
    bool SetWall(bool Reset, bool SaveOnly);
    // Reset: put the saved wallpaper back (false when its file is gone); otherwise remove the wallpaper.
    bool KillWall(bool Reset);

    std::int32_t TwipsHeight() const { return placement_.TwipsHeight(); }
    std::int32_t TwipsWidth() const { return placement_.TwipsWidth(); }
    std::int32_t PixelsHeight() const { return placement_.PixelsHeight(); }
    std::int32_t PixelsWidth() const { return placement_.PixelsWidth(); }

    std::int32_t CurrentY() const { return placement_.CurrentY(); }
    void CurrentY(std::int32_t vData) { placement_.CurrentY(vData); }
    std::int32_t CurrentX() const { return placement_.CurrentX(); }
    void CurrentX(std::int32_t vData) { placement_.CurrentX(vData); }

    // Writing computes the four sizes; the position waits for Align.
    const std::shared_ptr<const PictureImage>& Picture() const { return picture_; }
    void Picture(std::shared_ptr<const PictureImage> vData);

    std::int16_t Align() const { return placement_.Align(); }
    void Align(std::int16_t vData) { placement_.Align(vData); }

    // Where the last SetWall wrote the bitmap; empty before.
    const std::string& BitmapPath() const { return bitmapPath_; }

private:
    void ReadCurrentWall();
    std::string WriteBitmap();
    void ShowError(const char* label, const std::string& description) const;

    wallset::Placement placement_;
    std::shared_ptr<const PictureImage> picture_;
    std::string fileName_;
    std::int16_t tile_ = 0;
    wallset::CurrentWall old_;
    std::function<BitmapFolders()> folders_;
    std::string bitmapPath_;
};

// The desktop registry and the shell's wallpaper, for cWallSet and its tests.
namespace wallset {
// The screen as cWallSet measures it (twips per pixel at the screen's DPI).
Screen PlatformScreen();
// Under HKEY_CURRENT_USER; the empty text for a missing key or value or one longer than 1024 bytes.
std::string ReadRegString(std::string_view key, std::string_view name);
// Creates missing keys; false when the value could not be set.
bool WriteRegString(std::string_view key, std::string_view name, std::string_view text);
// The shell loads `path` as the wallpaper (empty: none) and the user profile keeps it.
void ApplyDesktopWallpaper(const std::string& path);
// The name of the file `path` names, as the file system spells it; empty when there is no such file.
std::string ExistingFileName(const std::string& path);
}  // namespace wallset

}  // namespace mb
