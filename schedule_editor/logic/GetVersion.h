#pragma once
// Pixel routines of the calendar picture: read its image into a grid, lighten and
// darken four bands into a bevelled frame, write it back.
#include "logic/picture.h"

#include <cstdint>
#include <vector>

namespace mb::schedit {

// Columns 0..W and rows 0..H, both bounds included: one more of each than the
// picture has. The picture's pixel in column x, row t (0 = top) sits at (x, t + 1);
// row 0 and column W hold no picture pixel and are dropped on the way back.
class PixelGrid {
public:
    PixelGrid(int w, int h);
    int W() const { return w_; }
    int H() const { return h_; }
    // Out of range throws std::out_of_range.
    std::uint32_t& At(int x, int y);
    std::uint32_t At(int x, int y) const;

private:
    int w_, h_;
    std::vector<std::uint32_t> pixels_;
};

// Both return true when the platform failed; GetPixels then leaves the grid alone.
// A grid smaller than the image throws std::out_of_range.
bool GetPixels(PictureBox& picture, PixelGrid& grid);
bool PutPixels(PictureBox& picture, const PixelGrid& grid);

// Band thicknesses (pixels) and the frame's distances from the picture's edges.
struct FrameBands {
    int top, bottom, left, right;
    int marginLeft, marginRight, marginTop, marginBottom;
};

// Adds round(100 s) to the top band, round(50 s) to the left, round(-50 s) to the
// right and round(-100 s) to the bottom of a grid for a picture of wf x hf pixels.
// A band reaching outside the grid throws std::out_of_range, a thickness of 0
// std::invalid_argument.
void ShadeBands(PixelGrid& grid, double wf, double hf, const FrameBands& bands, double strength);
// The same on the picture itself: reads it, shades, writes it back. On an error
// nothing is written.
void ShadeFrame(PictureBox& picture, const FrameBands& bands, double strength);

// Nearest whole number, halves to the even neighbour.
long long RoundHalfEven(double z);

}  // namespace mb::schedit
