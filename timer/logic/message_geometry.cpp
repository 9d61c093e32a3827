#include "logic/message_geometry.h"

#include "ini/cInifile.h"

#include <cmath>
#include <cstdlib>
#include <optional>

namespace mb::timer {
namespace {

// A saved coordinate in twips, rounded to a whole number; nullopt when it is not
// a number a window can stand at.
std::optional<long> SavedTwips(const std::string& text) {
    if (!IsNumericText(text)) return std::nullopt;
    double v = std::nearbyint(std::strtod(text.c_str(), nullptr));
    if (!std::isfinite(v) || std::fabs(v) > 1e9) return std::nullopt;
    return static_cast<long>(v);
}

long CentredTwips(int screenPixels, int windowPixels, int twipsPerPixel) {
    return (PixelsToTwips(screenPixels, twipsPerPixel) - PixelsToTwips(windowPixels, twipsPerPixel)) / 2;
}

bool TouchesAnyMonitor(const PixelRect& w, const std::vector<PixelRect>& monitors) {
    for (const PixelRect& m : monitors)
        if (w.left < m.right && m.left < w.right && w.top < m.bottom && m.top < w.bottom) return true;
    return false;
}

}  // namespace

long PixelsToTwips(int pixels, int twipsPerPixel) { return static_cast<long>(pixels) * twipsPerPixel; }

int TwipsToPixels(long twips, int twipsPerPixel) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

PixelPoint PlaceMessage(const std::string& savedX, const std::string& savedY, int width, int height,
                        const Screen& screen) {
    const long centreX = CentredTwips(screen.primary.Width(), width, screen.twipsPerPixelX);
    const long centreY = CentredTwips(screen.primary.Height(), height, screen.twipsPerPixelY);
    const long x = SavedTwips(savedX).value_or(centreX);
    const long y = SavedTwips(savedY).value_or(centreY);
    PixelPoint at{TwipsToPixels(x, screen.twipsPerPixelX), TwipsToPixels(y, screen.twipsPerPixelY)};
    if (!TouchesAnyMonitor({at.x, at.y, at.x + width, at.y + height}, screen.monitors))
        at = {TwipsToPixels(centreX, screen.twipsPerPixelX), TwipsToPixels(centreY, screen.twipsPerPixelY)};
    return at;
}

std::string FormatPosition(long twips) { return (twips >= 0 ? " " : "") + std::to_string(twips); }

}  // namespace mb::timer
