#pragma once
// A decoded picture as the wallpaper setter uses it, and its bitmap file form.
#include <cstdint>
#include <string>
#include <vector>

namespace mb {

struct PictureImage {
    std::int32_t width = 0;  // pixels
    std::int32_t height = 0;
    std::int32_t himetricWidth = 0;  // hundredths of a millimetre, at the screen's DPI
    std::int32_t himetricHeight = 0;
    std::vector<std::uint8_t> bgr;  // top-down rows of width * 3 bytes, blue first, no padding

    // Blue, green, red of one pixel packed as 0xRRGGBB.
    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const;
};

// Pixels to hundredths of a millimetre at `dpi`, rounded.
std::int32_t PixelsToHimetric(std::int32_t pixels, std::int32_t dpi);

// A Windows bitmap file of 24 bits per pixel (bottom-up rows padded to 4 bytes).
std::string EncodeBmp(const PictureImage& picture);

}  // namespace mb
