#pragma once
// Our picture box: a child window that keeps what is drawn into it in an image
// bitmap of its client size and paints itself from there, with text output at a
// current point in twips.
#include "logic/picture.h"
#include "win/handles.h"

#include <string>

namespace mb::schedit::win {

class PictureBoxWindow : public PictureBox {
public:
    // A child of `parent` at (x, y) with a client area of width x height pixels.
    PictureBoxWindow(HWND parent, std::string name, int x, int y, int width, int height, int id = 0);
    ~PictureBoxWindow() override;
    PictureBoxWindow(const PictureBoxWindow&) = delete;
    PictureBoxWindow& operator=(const PictureBoxWindow&) = delete;

    HWND Hwnd() const { return hwnd_.get(); }
    // The DC the image bitmap is selected into (draw here, then Refresh).
    HDC ImageDc() const { return imageDc_.get(); }
    void Refresh() const;
    // Fills the image with the back colour and puts the current point at the top-left.
    void Cls();
    void SetBackColor(Colour colour);

    // Ours, or nullptr for any other window.
    static PictureBoxWindow* FromHwnd(HWND h);

    std::string Name() const override { return name_; }
    double ScaleWidth() const override { return static_cast<double>(width_) * tppx_; }
    double ScaleHeight() const override { return static_cast<double>(height_) * tppy_; }
    int TwipsPerPixelX() const override { return tppx_; }
    int TwipsPerPixelY() const override { return tppy_; }

    void SetFont(const FontSpec& font) override;
    void SetForeColor(Colour colour) override;
    double CurrentX() const override { return x_; }
    double CurrentY() const override { return y_; }
    void SetCurrentPoint(double x, double y) override {
        x_ = x;
        y_ = y;
    }
    void Print(std::string_view text) override;
    void PrintLine(std::string_view text) override;
    double TextWidth(std::string_view text) const override;
    double TextHeight(std::string_view text) const override;

    int ImageWidth() const override { return width_; }
    int ImageHeight() const override { return height_; }
    bool ReadImage(std::vector<std::uint32_t>& pixels) override;
    bool WriteImage(const std::vector<std::uint32_t>& pixels) override;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void OnPaint();
    void OnSize(int width, int height);
    SIZE Extent(std::string_view text) const;
    BITMAPINFO TransferFormat() const;

    std::string name_;
    int tppx_, tppy_, dpiY_;
    int width_ = 0, height_ = 0;
    mb::win::UniqueWindow hwnd_;
    mb::win::UniqueDc imageDc_;
    mb::win::UniqueBitmap image_;
    HGDIOBJ originalBitmap_ = nullptr;
    mb::win::UniqueFont font_;
    HGDIOBJ originalFont_ = nullptr;
    FontSpec fontSpec_;
    bool fontMade_ = false;
    Colour back_;
    double x_ = 0, y_ = 0;
};

}  // namespace mb::schedit::win
