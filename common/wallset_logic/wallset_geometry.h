#pragma once
// Where a wallpaper picture sits: its size in twips and pixels from the picture's
// HIMETRIC size, and its origin from a placement code. Portable, so every number
// is tested natively.
#include <array>
#include <cstdint>

namespace mb::wallset {

// numerator / denominator to the nearest whole number, a half to the even neighbour.
std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator);

// Hundredths of a millimetre to twips by the factor 0.567 (not the exact 1440 / 2540).
std::int32_t HimetricToTwips(std::int32_t himetric);

struct Screen {
    std::int32_t twipsPerPixelX = 15;
    std::int32_t twipsPerPixelY = 15;
    std::int32_t pixelsWidth = 0;
    std::int32_t pixelsHeight = 0;
};

// The screen as the twips-based layout sees it: twips per pixel rounded to whole
// numbers, and the size in twips (rounded) divided by them with the remainder dropped.
// At a DPI that does not divide 1440 this differs from the device pixels.
Screen ScreenFrom(std::int32_t devicePixelsWidth, std::int32_t devicePixelsHeight, std::int32_t dpiX,
                  std::int32_t dpiY);

// Size and origin of the picture on the screen (the arithmetic of cWallSet).
class Placement {
public:
    explicit Placement(Screen screen) : screen_(screen) {}

    // Writing the picture: its size in hundredths of a millimetre. The origin stays.
    void PictureSize(std::int32_t himetricWidth, std::int32_t himetricHeight);

    // Writing the code recomputes CurrentX/CurrentY; codes outside 0 to 8 leave them.
    std::int16_t Align() const { return align_; }
    void Align(std::int16_t vData);

    std::int32_t CurrentX() const { return currentX_; }
    void CurrentX(std::int32_t vData) { currentX_ = vData; }
    std::int32_t CurrentY() const { return currentY_; }
    void CurrentY(std::int32_t vData) { currentY_ = vData; }

    // Margins in pixels: 1 top, 2 bottom, 3 left, 4 right. Index outside 0 to 4: std::out_of_range.
    std::int32_t IndentSpace(std::int16_t Index) const;
    void IndentSpace(std::int16_t Index, std::int32_t vData);

    std::int32_t TwipsWidth() const { return twipsWidth_; }
    std::int32_t TwipsHeight() const { return twipsHeight_; }
    std::int32_t PixelsWidth() const { return pixelsWidth_; }
    std::int32_t PixelsHeight() const { return pixelsHeight_; }
    const Screen& ScreenSize() const { return screen_; }

private:
    void UpdatePosition();

    Screen screen_;
    std::int16_t align_ = 7;
    std::int32_t currentX_ = 0;
    std::int32_t currentY_ = 0;
    std::int32_t pixelsWidth_ = 0;
    std::int32_t pixelsHeight_ = 0;
    std::int32_t twipsWidth_ = 0;
    std::int32_t twipsHeight_ = 0;
    std::array<std::int32_t, 5> indentSpace_{25, 25, 25, 25, 25};
};

}  // namespace mb::wallset
