#include "wallset_logic/wallset_geometry.h"

#include <limits>
#include <stdexcept>

namespace mb::wallset {

namespace {

std::int32_t Checked32(std::int64_t v) {
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("オーバーフローしました。");
    return static_cast<std::int32_t>(v);
}

std::size_t IndentIndex(std::int16_t Index) {
    if (Index < 0 || Index > 4) throw std::out_of_range("インデックスが有効範囲にありません。");
    return static_cast<std::size_t>(Index);
}

}  // namespace

std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 0) throw std::domain_error("0 で除算しました。");
    if (denominator < 0) numerator = -numerator, denominator = -denominator;
    std::int64_t q = numerator / denominator;
    std::int64_t r = numerator % denominator;
    if (r < 0) r += denominator, --q;  // floor division, 0 <= r < denominator
    if (2 * r > denominator || (2 * r == denominator && q % 2 != 0)) ++q;
    return q;
}

std::int32_t HimetricToTwips(std::int32_t himetric) {
    // Exact decimal arithmetic, so that a true half is a half.
    return Checked32(RoundHalfEven(std::int64_t{himetric} * 567, 1000));
}

Screen ScreenFrom(std::int32_t devicePixelsWidth, std::int32_t devicePixelsHeight, std::int32_t dpiX,
                  std::int32_t dpiY) {
    Screen s;
    s.twipsPerPixelX = static_cast<std::int32_t>(RoundHalfEven(1440, dpiX));
    s.twipsPerPixelY = static_cast<std::int32_t>(RoundHalfEven(1440, dpiY));
    // The screen's twips are device pixels times the exact 1440 / dpi.
    std::int64_t twipsW = RoundHalfEven(std::int64_t{devicePixelsWidth} * 1440, dpiX);
    std::int64_t twipsH = RoundHalfEven(std::int64_t{devicePixelsHeight} * 1440, dpiY);
    s.pixelsWidth = Checked32(twipsW / s.twipsPerPixelX);
    s.pixelsHeight = Checked32(twipsH / s.twipsPerPixelY);
    return s;
}

void Placement::PictureSize(std::int32_t himetricWidth, std::int32_t himetricHeight) {
    twipsWidth_ = HimetricToTwips(himetricWidth);
    twipsHeight_ = HimetricToTwips(himetricHeight);
    pixelsWidth_ = Checked32(RoundHalfEven(twipsWidth_, screen_.twipsPerPixelX));
    pixelsHeight_ = Checked32(RoundHalfEven(twipsHeight_, screen_.twipsPerPixelY));
}

void Placement::Align(std::int16_t vData) {
    align_ = vData;
    UpdatePosition();
}

std::int32_t Placement::IndentSpace(std::int16_t Index) const {
    return indentSpace_[IndentIndex(Index)];
}

void Placement::IndentSpace(std::int16_t Index, std::int32_t vData) {
    indentSpace_[IndentIndex(Index)] = vData;
}

void Placement::UpdatePosition() {
    // Top and left margins count one pixel more than bottom and right.
    auto top = [&] { return Checked32(std::int64_t{indentSpace_[1]} + 1); };
    auto left = [&] { return Checked32(std::int64_t{indentSpace_[3]} + 1); };
    auto bottom = [&] { return Checked32(std::int64_t{screen_.pixelsHeight} - pixelsHeight_ - indentSpace_[2]); };
    auto right = [&] { return Checked32(std::int64_t{screen_.pixelsWidth} - pixelsWidth_ - indentSpace_[4]); };
    switch (align_) {
        case 0:
            currentX_ = 0;
            currentY_ = 0;
            break;
        case 1:
            currentX_ = 0;
            currentY_ = top();
            break;
        case 2:
            currentX_ = 0;
            currentY_ = bottom();
            break;
        case 3:
            currentX_ = left();
            currentY_ = 0;
            break;
        case 4:
            currentX_ = right();
            currentY_ = 0;
            break;
        case 5:
            currentX_ = left();
            currentY_ = top();
            break;
        case 6:
            currentX_ = left();
            currentY_ = bottom();
            break;
        case 7:
            currentX_ = right();
            currentY_ = top();
            break;
        case 8:
            currentX_ = right();
            currentY_ = bottom();
            break;
        default:
            break;
    }
}

}  // namespace mb::wallset
