#pragma once
// The pool of wallpaper pictures not yet shown in this pass, and the wallpaper change
// that takes one out. Portable: the file system, the host settings file and the
// outside world reach it through the interfaces below.
#include "ini/profile_service.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mb::timer {

// What the pool needs of the platform. Paths are UTF-8 with "\" separators.
class PoolPlatform {
public:
    virtual ~PoolPlatform() = default;
    // A listing of the path, folders included, gives a name: a file or folder is there.
    virtual bool Exists(const std::string& path) const = 0;
    // Names (not paths) of the ordinary files matching folder + "\" + pattern, in the listing's order.
    virtual std::vector<std::string> List(const std::string& pattern) const = 0;
    // Throws std::runtime_error with the platform's description when it fails.
    virtual void CreateFolder(const std::string& path) = 0;
    // The information box that tells the user the "WallPics" folder is being made.
    virtual void TellPictureFolderCreated() = 0;
    virtual std::int32_t ScreenPixelsHeight() const = 0;
};

// What a wallpaper change does outside the pool.
class WallpaperActions {
public:
    virtual ~WallpaperActions() = default;
    // Stand-alone: the picture file to show, or nullopt for the fallback picture.
    virtual void SetWallpaper(const std::optional<std::string>& picturePath) = 0;
    // Host mode: hand the picture to the painter. Throws when it cannot be started.
    virtual void StartPainter(const std::string& picturePath) = 0;
};

// A failure while filling the pool; reported under the name "Set_Collection".
class CollectionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text of the box shown when "WallPics" is created (lines joined by CR LF).
std::string PictureFolderNotice();

class PicturePool {
public:
    // `appFolder` ends in "\". Host mode when `hasSetCal`: pictures come from the
    // host settings file AppFolder + "Murabell.ini", read through `profile`.
    PicturePool(std::string appFolder, bool hasSetCal, PoolPlatform& platform, const ProfileService& profile);

    // Empties and refills the pool. True only when filled from the host folder for
    // the current screen height. Failures throw CollectionError.
    bool Set_Collection();

    // One wallpaper change. `random` gives a number in [0, 1).
    void Change(WallpaperActions& actions, const std::function<double()>& random);

    bool Empty() const { return pictures_.empty(); }
    const std::vector<std::string>& Pictures() const { return pictures_; }

    // Index (from 0) of picture k = whole part of (r × count) + 1.
    static std::size_t Choose(double r, std::size_t count);

private:
    bool Fill();
    std::string Take(const std::function<double()>& random);
    void AddFolder(const std::string& folder, bool withPng);

    std::string appFolder_;
    bool hasSetCal_;
    PoolPlatform& platform_;
    const ProfileService& profile_;
    std::vector<std::string> pictures_;
};

}  // namespace mb::timer
