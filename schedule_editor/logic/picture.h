#pragma once
// What the calendar needs from the window system: a picture box with a persistent
// image, text output at a current point in twips, fonts and colours, and pixel
// access. The Windows side implements these with GDI; tests with fixed metrics.
#include "logic/civil_date.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mb::schedit {

// Colours are 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}

struct FontSpec {
    std::string name;  // face; empty: the system's default face
    double size = 9;   // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
};
// Font objects are shared: a caller that keeps one and changes it changes what the
// calendar draws with, and drawing changes the sizes of the calendar's own fonts.
using FontObject = std::shared_ptr<FontSpec>;

class PictureBox;

// Any window control a caller might hand over as the calendar's picture.
class Control {
public:
    virtual ~Control() = default;
    // The control's kind as the user knows it: "PictureBox", "ListBox", ...
    virtual std::string TypeName() const = 0;
    // The control's own name ("picCalePrev", ...).
    virtual std::string Name() const = 0;
    virtual PictureBox* AsPictureBox() { return nullptr; }
};

// A picture box. All coordinates are twips from the inner top-left corner.
class PictureBox : public Control {
public:
    std::string TypeName() const override { return "PictureBox"; }
    PictureBox* AsPictureBox() override { return this; }

    // Inner size, twips.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    // The screen's twips per pixel.
    virtual int TwipsPerPixelX() const = 0;
    virtual int TwipsPerPixelY() const = 0;

    virtual void SetFont(const FontSpec& font) = 0;
    virtual void SetForeColor(Colour colour) = 0;
    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentPoint(double x, double y) = 0;
    // Draws text with its top-left corner at the current point, which then moves
    // behind the text.
    virtual void Print(std::string_view text) = 0;
    // Draws text like Print; the current point then goes to the left edge, one
    // text height lower.
    virtual void PrintLine(std::string_view text) = 0;
    virtual double TextWidth(std::string_view text) const = 0;
    virtual double TextHeight(std::string_view text) const = 0;

    // The image bitmap: its size in pixels, and its pixels as 32-bit values (blue,
    // green, red, spare byte), rows stored bottom-up, ImageWidth() to a row, with one
    // spare value at the end. Both return true when the platform call failed.
    virtual int ImageWidth() const = 0;
    virtual int ImageHeight() const = 0;
    virtual bool ReadImage(std::vector<std::uint32_t>& pixels) = 0;
    virtual bool WriteImage(const std::vector<std::uint32_t>& pixels) = 0;
};

// The rest of the system around the calendar.
class CaleSetHost {
public:
    virtual ~CaleSetHost() = default;
    virtual int TwipsPerPixelX() const = 0;
    virtual int TwipsPerPixelY() const = 0;
    virtual Date Today() const = 0;
    virtual const MonthNames& LocaleMonthNames() const = 0;
    // A message box with the information icon.
    virtual void InformationBox(const std::string& text, const std::string& title) = 0;
};

}  // namespace mb::schedit
