#include "logic/GetVersion.h"

#include <cmath>
#include <stdexcept>

namespace mb::schedit {

long long RoundHalfEven(double z) {
    const double below = std::floor(z);
    const double diff = z - below;
    long long r = static_cast<long long>(below);
    if (diff > 0.5 || (diff == 0.5 && (r % 2 != 0))) ++r;
    return r;
}

PixelGrid::PixelGrid(int w, int h) : w_(w), h_(h) {
    if (w < 0 || h < 0) throw std::out_of_range("pixel grid size");
    pixels_.assign(static_cast<std::size_t>(w + 1) * static_cast<std::size_t>(h + 1), 0);
}

std::uint32_t& PixelGrid::At(int x, int y) {
    if (x < 0 || x > w_ || y < 0 || y > h_) throw std::out_of_range("pixel grid subscript");
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(w_ + 1) + static_cast<std::size_t>(x)];
}

std::uint32_t PixelGrid::At(int x, int y) const {
    return const_cast<PixelGrid*>(this)->At(x, y);
}

// The stored rows run bottom-up. Column bw of each row takes the first pixel of the
// next stored row (or the spare one): grid column W never reaches the picture.
bool GetPixels(PictureBox& picture, PixelGrid& grid) {
    const int bw = picture.ImageWidth(), bh = picture.ImageHeight();
    if (bw > grid.W() || bh > grid.H()) throw std::out_of_range("pixel grid smaller than the picture");
    std::vector<std::uint32_t> buffer(static_cast<std::size_t>(bw) * bh + 1);
    if (picture.ReadImage(buffer)) return true;
    for (int r = 0; r < bh; ++r)
        for (int x = 0; x <= bw; ++x)
            grid.At(x, bh - r) = buffer[static_cast<std::size_t>(x) + static_cast<std::size_t>(bw) * r];
    return false;
}

bool PutPixels(PictureBox& picture, const PixelGrid& grid) {
    const int bw = picture.ImageWidth(), bh = picture.ImageHeight();
    if (bw > grid.W() || bh > grid.H()) throw std::out_of_range("pixel grid smaller than the picture");
    std::vector<std::uint32_t> buffer(static_cast<std::size_t>(bw) * bh + 1);
    for (int r = 0; r < bh; ++r)
        for (int x = 0; x <= bw; ++x)
            buffer[static_cast<std::size_t>(x) + static_cast<std::size_t>(bw) * r] = grid.At(x, bh - r);
    return picture.WriteImage(buffer);
}

namespace {

// Adds v to the blue, green and red bytes, each kept within 0..255; the spare
// byte stays as it is.
void Add(PixelGrid& grid, int x, int y, int v) {
    std::uint32_t& p = grid.At(x, y);
    std::uint32_t out = p & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        int byte = static_cast<int>((p >> shift) & 0xFF) + v;
        if (byte < 0) byte = 0;
        if (byte > 255) byte = 255;
        out |= static_cast<std::uint32_t>(byte) << shift;
    }
    p = out;
}

int Nearest(double z) {
    return static_cast<int>(RoundHalfEven(z));
}

}  // namespace

void ShadeBands(PixelGrid& grid, double wf, double hf, const FrameBands& f, double s) {
    const int a = f.top, b = f.bottom, c = f.left, d = f.right;
    const int e = f.marginLeft, fr = f.marginRight, g = f.marginTop, h = f.marginBottom;
    if (a == 0 || b == 0 || c == 0 || d == 0) throw std::invalid_argument("frame band of no thickness");

    int v = Nearest(100 * s);
    for (int y = g; y <= g + a; ++y) {
        const int k = y - g;
        for (int x = Nearest(e + double(k) * c / a), to = Nearest(wf - fr - double(k) * d / a); x <= to; ++x)
            Add(grid, x, y, v);
    }
    v = Nearest(50 * s);
    for (int x = e; x <= e + c; ++x) {
        const int k = x - e;
        for (int y = Nearest(g + double(k) * a / c), to = Nearest(hf - h - double(k) * b / c); y <= to; ++y)
            Add(grid, x, y, v);
    }
    v = Nearest(-50 * s);
    for (int x = Nearest(wf - d - fr), first = x, last = Nearest(wf - fr); x <= last; ++x) {
        const int q = d - (x - first);
        for (int y = Nearest(g + double(q) * a / d), to = Nearest(hf - h - double(q) * b / d - 1); y <= to; ++y)
            Add(grid, x, y, v);
    }
    v = Nearest(-100 * s);
    for (int y = Nearest(hf - b - h), first = y, last = Nearest(hf - h); y <= last; ++y) {
        const int q = b - (y - first);
        for (int x = Nearest(e + double(q) * c / b), to = Nearest(wf - fr - double(q) * d / b); x <= to; ++x)
            Add(grid, x, y, v);
    }
}

void ShadeFrame(PictureBox& picture, const FrameBands& bands, double strength) {
    const double wf = picture.ScaleWidth() / picture.TwipsPerPixelX();
    const double hf = picture.ScaleHeight() / picture.TwipsPerPixelY();
    PixelGrid grid(Nearest(wf), Nearest(hf));
    GetPixels(picture, grid);
    ShadeBands(grid, wf, hf, bands, strength);
    PutPixels(picture, grid);
}

}  // namespace mb::schedit
