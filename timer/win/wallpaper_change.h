#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "logic/picture_pool.h"  // CollectionError

namespace mb::timer {
bool HasSetCalIn(const std::string& appFolder);   // start-up test: MBSetCal.exe beside MBTimer (HasSetCal)
class WallpaperChanger {
public:
    WallpaperChanger(std::string appFolder, bool hasSetCal, HWND owner);
    ~WallpaperChanger();
    WallpaperChanger(WallpaperChanger&&) noexcept;
    WallpaperChanger& operator=(WallpaperChanger&&) noexcept;

    bool Set_Collection();      // empties and refills PicturePool (may show the "WallPics" box); true only when filled from the host folder for this screen height
    bool PoolEmpty() const;
    void Change();              // the wallpaper change (tray double-click and the WallPaper action); throws std::runtime_error whose what() is the platform's description for a run-time error the caller must report (e.g. painter missing)
    void StartPainter();        // display change: MBSetCal.exe with no argument
    static void Centering();    // tray menu "壁紙中央(&C)"

    // Set_Collection throws CollectionError (a std::runtime_error) when the pool cannot
    // be filled, e.g. "WallPics" cannot be created; so does Change when it refills the
    // pool. The caller reports it under "Set_Collection". StartPainter throws
    // std::runtime_error when the painter cannot be started.
    // A picture that cannot be read is no error: the fallback picture is shown instead.

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
}
