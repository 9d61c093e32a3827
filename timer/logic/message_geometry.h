#pragma once
// Where the message window opens, and how its position is kept in section
// "Position" (twips, as text).
#include <string>
#include <vector>

namespace mb::timer {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct Screen {
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;
    PixelRect primary;                  // the window is centred on this one
    std::vector<PixelRect> monitors;    // every monitor, primary included
};

struct PixelPoint {
    int x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Top-left corner, in pixels, for a window of this outer size. A numeric saved
// value is used as it is; otherwise that coordinate is centred. A saved place
// where the window would touch no monitor (one was removed) is centred too, so
// the message is never out of sight; partly off-screen stays where it was put.
PixelPoint PlaceMessage(const std::string& savedX, const std::string& savedY, int width, int height,
                        const Screen& screen);

// " 4530" for 4530, "-30" for -30: a non-negative number has a leading space.
std::string FormatPosition(long twips);

// Twips from pixels and back (rounded to the nearest pixel).
long PixelsToTwips(int pixels, int twipsPerPixel);
int TwipsToPixels(long twips, int twipsPerPixel);

}  // namespace mb::timer
