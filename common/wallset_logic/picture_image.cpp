#include "wallset_logic/picture_image.h"

#include "wallset_logic/wallset_geometry.h"

#include <stdexcept>

namespace mb {

namespace {

void Put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::uint32_t PictureImage::Pixel(std::int32_t x, std::int32_t y) const {
    std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return static_cast<std::uint32_t>(bgr.at(at + 2)) << 16 | static_cast<std::uint32_t>(bgr.at(at + 1)) << 8 |
           bgr.at(at);
}

std::int32_t PixelsToHimetric(std::int32_t pixels, std::int32_t dpi) {
    return static_cast<std::int32_t>(wallset::RoundHalfEven(std::int64_t{pixels} * 2540, dpi));
}

std::string EncodeBmp(const PictureImage& picture) {
    const std::uint64_t w = static_cast<std::uint32_t>(picture.width), h = static_cast<std::uint32_t>(picture.height);
    if (picture.width <= 0 || picture.height <= 0 || picture.bgr.size() != w * h * 3)
        throw std::invalid_argument("picture without pixels");
    const std::uint64_t stride = (w * 3 + 3) / 4 * 4;
    const std::uint64_t imageSize = stride * h;
    const std::uint32_t headers = 14 + 40;
    if (headers + imageSize > 0xFFFFFFFFu) throw std::length_error("picture too large for a bitmap file");

    std::string out;
    out.reserve(headers + imageSize);
    out += "BM";
    Put32(out, static_cast<std::uint32_t>(headers + imageSize));
    Put32(out, 0);
    Put32(out, headers);
    Put32(out, 40);  // BITMAPINFOHEADER
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(h));  // positive: bottom-up
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);  // BI_RGB
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, 3780);  // 96 DPI
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    const std::string padding(stride - w * 3, '\0');
    for (std::uint64_t row = h; row-- > 0;) {
        const auto* from = picture.bgr.data() + row * w * 3;
        out.append(reinterpret_cast<const char*>(from), w * 3);
        out += padding;
    }
    return out;
}

}  // namespace mb
