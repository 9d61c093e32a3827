#pragma once
// The wallpaper change of MBTimer, shared by the tray icon's double-click and the
// WallPaper action, and the pool of pictures it draws from.
#include <windows.h>

#include <memory>
#include <string>

#include "logic/picture_pool.h"  // CollectionError

namespace mb::timer {

// Start-up test: MBSetCal.exe beside MBTimer (HasSetCal).
bool HasSetCalIn(const std::string& appFolder);

class WallpaperChanger {
public:
    WallpaperChanger(std::string appFolder, bool hasSetCal, HWND owner);
    ~WallpaperChanger();
    WallpaperChanger(WallpaperChanger&&) noexcept;
    WallpaperChanger& operator=(WallpaperChanger&&) noexcept;

    // Empties and refills PicturePool (may show the "WallPics" box); true only when
    // filled from the host folder for this screen height. Throws CollectionError
    // (a std::runtime_error) when the pool cannot be filled, e.g. "WallPics" cannot
    // be created; the caller reports it under "Set_Collection".
    bool Set_Collection();
    bool PoolEmpty() const;

    // The wallpaper change (tray double-click and the WallPaper action). Throws
    // std::runtime_error whose what() is the platform's description for a run-time
    // error the caller must report (e.g. painter missing), or CollectionError when
    // its refill of the pool fails. A picture that cannot be read is no error: the
    // fallback picture is shown instead and the picture leaves the pool.
    void Change();

    // Display change: MBSetCal.exe with no argument. Throws std::runtime_error when
    // the painter cannot be started.
    void StartPainter();

    // Tray menu "壁紙中央(&C)".
    static void Centering();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace mb::timer
