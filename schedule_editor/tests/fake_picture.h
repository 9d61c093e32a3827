#pragma once
// A picture box with known text metrics that records what is drawn, and a host
// with a fixed day and 15 twips per pixel.
#include "logic/picture.h"

#include <string>
#include <vector>

namespace mb::schedit::test {

constexpr int kTpp = 15;

// Text metrics: each character is size * 10 twips wide, every text size * 20 high.
class FakePicture : public PictureBox {
public:
    struct Drawn {
        std::string text;
        double x, y;
        Colour colour;
        FontSpec font;
    };

    FakePicture(int widthPx, int heightPx, std::string name = "picCalendar")
        : width_(widthPx),
          height_(heightPx),
          name_(std::move(name)),
          image_(static_cast<std::size_t>(widthPx) * heightPx + 1, 0) {}

    std::string Name() const override { return name_; }
    double ScaleWidth() const override { return width_ * kTpp; }
    double ScaleHeight() const override { return height_ * kTpp; }
    int TwipsPerPixelX() const override { return kTpp; }
    int TwipsPerPixelY() const override { return kTpp; }

    void SetFont(const FontSpec& font) override { font_ = font; }
    void SetForeColor(Colour colour) override { colour_ = colour; }
    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentPoint(double x, double y) override {
        x_ = x;
        y_ = y;
    }
    void Print(std::string_view text) override {
        prints.push_back({std::string(text), x_, y_, colour_, font_});
        x_ += TextWidth(text);
    }
    void PrintLine(std::string_view text) override {
        prints.push_back({std::string(text), x_, y_, colour_, font_});
        x_ = 0;
        y_ += TextHeight(text);
    }
    double TextWidth(std::string_view text) const override { return Characters(text) * font_.size * 10; }
    double TextHeight(std::string_view) const override { return font_.size * 20; }

    int ImageWidth() const override { return width_; }
    int ImageHeight() const override { return height_; }
    bool ReadImage(std::vector<std::uint32_t>& pixels) override {
        if (failRead) return true;
        pixels = image_;
        return false;
    }
    bool WriteImage(const std::vector<std::uint32_t>& pixels) override {
        ++writes;
        if (failWrite) return true;
        image_ = pixels;
        return false;
    }

    // Picture pixel in column x, row t from the top.
    std::uint32_t& Pixel(int x, int t) { return image_[static_cast<std::size_t>(height_ - 1 - t) * width_ + x]; }
    void Fill(std::uint32_t value) {
        for (int t = 0; t < height_; ++t)
            for (int x = 0; x < width_; ++x) Pixel(x, t) = value;
    }
    const std::vector<std::uint32_t>& Image() const { return image_; }

    std::vector<Drawn> prints;
    bool failRead = false;
    bool failWrite = false;
    int writes = 0;

private:
    static int Characters(std::string_view utf8) {
        int n = 0;
        for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
        return n;
    }

    int width_, height_;
    std::string name_;
    std::vector<std::uint32_t> image_;
    FontSpec font_;
    Colour colour_ = 0;
    double x_ = 0, y_ = 0;
};

class FakeControl : public Control {
public:
    explicit FakeControl(std::string type) : type_(std::move(type)) {}
    std::string TypeName() const override { return type_; }
    std::string Name() const override { return "lstSomething"; }

private:
    std::string type_;
};

class FakeHost : public CaleSetHost {
public:
    FakeHost() {
        names_.full = {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"};
        names_.abbreviated = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    }
    int TwipsPerPixelX() const override { return kTpp; }
    int TwipsPerPixelY() const override { return kTpp; }
    Date Today() const override { return today; }
    const MonthNames& LocaleMonthNames() const override { return names_; }
    void InformationBox(const std::string& text, const std::string& title) override {
        boxes.push_back(title + "|" + text);
    }

    Date today{2026, 5, 20};
    std::vector<std::string> boxes;

private:
    MonthNames names_;
};

}  // namespace mb::schedit::test
