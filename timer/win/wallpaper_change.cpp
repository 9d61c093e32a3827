#include "wallpaper_change.h"

#include <utility>

namespace mb::timer {

bool HasSetCalIn(const std::string&) { return false; }

WallpaperChanger::WallpaperChanger(std::string, bool, HWND) {}

bool WallpaperChanger::Set_Collection() { return false; }

bool WallpaperChanger::PoolEmpty() const { return true; }

void WallpaperChanger::Change() {}

void WallpaperChanger::StartPainter() {}

void WallpaperChanger::Centering() {}

}  // namespace mb::timer
