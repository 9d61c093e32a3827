#include "render_win/picture_box_win.h"

#include "render_win/caleset_host_win.h"
#include "text/wide.h"
#include "win/window_object.h"

#include <cmath>
#include <stdexcept>

namespace mb::schedit::win {
namespace {

constexpr wchar_t kClassName[] = L"MbPictureBox";

void RegisterClassOnce(WNDPROC proc) {
    static const ATOM atom = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc);
    }();
    if (!atom) throw std::runtime_error("picture box class not registered");
}

int Px(double twips, int tpp) {
    return static_cast<int>(std::lround(twips / tpp));
}

COLORREF ToColorRef(Colour c) {
    return static_cast<COLORREF>(c & 0xFFFFFF);
}

}  // namespace

PictureBoxWindow::PictureBoxWindow(HWND parent, std::string name, int x, int y, int width, int height, int id)
    : name_(std::move(name)),
      tppx_(ScreenTwipsPerPixelX()),
      tppy_(ScreenTwipsPerPixelY()),
      back_(GetSysColor(COLOR_BTNFACE)) {
    {
        mb::win::WindowDc screen(nullptr);
        dpiY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
        imageDc_.reset(CreateCompatibleDC(screen.get()));
    }
    if (!imageDc_) throw std::runtime_error("no memory DC for the picture box");
    SetBkMode(imageDc_.get(), TRANSPARENT);
    RegisterClassOnce(&PictureBoxWindow::Proc);
    HWND h = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
    if (!h) throw std::runtime_error("picture box window not created");
    hwnd_.reset(h);
    RECT client;
    GetClientRect(h, &client);
    OnSize(client.right, client.bottom);
}

PictureBoxWindow::~PictureBoxWindow() {
    if (hwnd_) SetWindowLongPtrW(hwnd_.get(), GWLP_USERDATA, 0);
    hwnd_.reset();
    if (originalFont_) SelectObject(imageDc_.get(), originalFont_);
    if (originalBitmap_) SelectObject(imageDc_.get(), originalBitmap_);
}

PictureBoxWindow* PictureBoxWindow::FromHwnd(HWND h) {
    wchar_t cls[64] = {};
    if (!h || !GetClassNameW(h, cls, 64) || lstrcmpW(cls, kClassName) != 0) return nullptr;
    return reinterpret_cast<PictureBoxWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
}

LRESULT CALLBACK PictureBoxWindow::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = mb::win::WindowObject<PictureBoxWindow>(h, msg, lp);
    if (self) {
        switch (msg) {
            case WM_NCDESTROY:
                SetWindowLongPtrW(h, GWLP_USERDATA, 0);
                self->hwnd_.release();  // gone with its parent
                break;
            case WM_PAINT:
                self->OnPaint();
                return 0;
            case WM_ERASEBKGND:
                return 1;  // the image covers everything
            case WM_SIZE:
                self->OnSize(LOWORD(lp), HIWORD(lp));
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcW(h, msg, wp, lp);
}

void PictureBoxWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_.get(), &ps);
    BitBlt(dc, 0, 0, width_, height_, imageDc_.get(), 0, 0, SRCCOPY);
    EndPaint(hwnd_.get(), &ps);
}

// A new image of the new size that keeps what the old one showed.
void PictureBoxWindow::OnSize(int width, int height) {
    if (width == width_ && height == height_ && image_) return;
    mb::win::UniqueBitmap next;
    {
        mb::win::WindowDc screen(nullptr);
        next.reset(CreateCompatibleBitmap(screen.get(), width > 0 ? width : 1, height > 0 ? height : 1));
    }
    if (!next) return;
    mb::win::UniqueDc scratch(CreateCompatibleDC(imageDc_.get()));
    {
        mb::win::Selected into(scratch.get(), next.get());
        mb::win::UniqueBrush back(CreateSolidBrush(ToColorRef(back_)));
        RECT all{0, 0, width, height};
        FillRect(scratch.get(), &all, back.get());
        if (image_) BitBlt(scratch.get(), 0, 0, width_, height_, imageDc_.get(), 0, 0, SRCCOPY);
    }
    HGDIOBJ old = SelectObject(imageDc_.get(), next.get());
    if (!originalBitmap_) originalBitmap_ = old;
    image_ = std::move(next);
    width_ = width;
    height_ = height;
}

// The image outlives a window destroyed with its parent; a null window here would
// mean every window on the desktop.
void PictureBoxWindow::Refresh() const {
    if (!hwnd_) return;
    InvalidateRect(hwnd_.get(), nullptr, FALSE);
    UpdateWindow(hwnd_.get());
}

void PictureBoxWindow::Cls() {
    mb::win::UniqueBrush back(CreateSolidBrush(ToColorRef(back_)));
    RECT all{0, 0, width_, height_};
    FillRect(imageDc_.get(), &all, back.get());
    x_ = y_ = 0;
    Refresh();
}

void PictureBoxWindow::SetBackColor(Colour colour) {
    back_ = colour;
    Cls();
}

void PictureBoxWindow::SetFont(const FontSpec& font) {
    if (fontMade_ && font.name == fontSpec_.name && font.size == fontSpec_.size && font.bold == fontSpec_.bold &&
        font.italic == fontSpec_.italic && font.underline == fontSpec_.underline)
        return;
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.size * dpiY_ / 72.0));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    std::wstring face = Widen(font.name);
    if (face.empty()) {
        LOGFONTW gui{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
        face = gui.lfFaceName;
    }
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    mb::win::UniqueFont made(CreateFontIndirectW(&lf));
    if (!made) return;
    HGDIOBJ old = SelectObject(imageDc_.get(), made.get());
    if (!originalFont_) originalFont_ = old;
    font_ = std::move(made);
    fontSpec_ = font;
    fontMade_ = true;
}

void PictureBoxWindow::SetForeColor(Colour colour) {
    SetTextColor(imageDc_.get(), ToColorRef(colour));
}

SIZE PictureBoxWindow::Extent(std::string_view text) const {
    const std::wstring w = Widen(text);
    SIZE size{0, 0};
    GetTextExtentPoint32W(imageDc_.get(), w.c_str(), static_cast<int>(w.size()), &size);
    if (w.empty()) {
        TEXTMETRICW tm{};
        GetTextMetricsW(imageDc_.get(), &tm);
        size.cy = tm.tmHeight;
    }
    return size;
}

double PictureBoxWindow::TextWidth(std::string_view text) const {
    return static_cast<double>(Extent(text).cx) * tppx_;
}
double PictureBoxWindow::TextHeight(std::string_view text) const {
    return static_cast<double>(Extent(text).cy) * tppy_;
}

void PictureBoxWindow::Print(std::string_view text) {
    const std::wstring w = Widen(text);
    TextOutW(imageDc_.get(), Px(x_, tppx_), Px(y_, tppy_), w.c_str(), static_cast<int>(w.size()));
    x_ += TextWidth(text);
    if (hwnd_) InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

void PictureBoxWindow::PrintLine(std::string_view text) {
    const double height = TextHeight(text);
    Print(text);
    x_ = 0;
    y_ += height;
}

BITMAPINFO PictureBoxWindow::TransferFormat() const {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width_;
    bmi.bmiHeader.biHeight = height_;  // positive: rows bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}

// The image bitmap must not be selected into a DC while its bits move, so a
// scratch bitmap stands in for it meanwhile.
bool PictureBoxWindow::ReadImage(std::vector<std::uint32_t>& pixels) {
    pixels.resize(static_cast<std::size_t>(width_) * height_ + 1);
    BITMAPINFO bmi = TransferFormat();
    mb::win::UniqueBitmap stand(CreateCompatibleBitmap(imageDc_.get(), 1, 1));
    int lines = 0;
    {
        mb::win::Selected swap(imageDc_.get(), stand.get());
        lines =
            GetDIBits(imageDc_.get(), image_.get(), 0, static_cast<UINT>(height_), pixels.data(), &bmi, DIB_RGB_COLORS);
    }
    return lines != height_;
}

bool PictureBoxWindow::WriteImage(const std::vector<std::uint32_t>& pixels) {
    if (pixels.size() < static_cast<std::size_t>(width_) * height_) return true;
    BITMAPINFO bmi = TransferFormat();
    mb::win::UniqueBitmap stand(CreateCompatibleBitmap(imageDc_.get(), 1, 1));
    int lines = 0;
    {
        mb::win::Selected swap(imageDc_.get(), stand.get());
        lines =
            SetDIBits(imageDc_.get(), image_.get(), 0, static_cast<UINT>(height_), pixels.data(), &bmi, DIB_RGB_COLORS);
    }
    Refresh();
    return lines != height_;
}

}  // namespace mb::schedit::win
