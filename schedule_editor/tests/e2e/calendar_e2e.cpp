// The calendar drawn by GDI into our picture box under Wine: colours of the drawn
// month, pixel transfer on a real bitmap, the box for a target that is no picture box.
#include "driver.h"
#include "logic/GetVersion.h"
#include "logic/cCaleSet.h"
#include "render_win/caleset_host_win.h"
#include "render_win/picture_box_win.h"
#include "win/handles.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <thread>

namespace mb::schedit {
namespace {

using driver::DriverTest;
using win::PictureBoxWindow;
using win::WindowControl;

constexpr Colour kBlack = Rgb(0, 0, 0), kRed = Rgb(255, 0, 0), kBlue = Rgb(0, 0, 255), kMagenta = Rgb(255, 0, 255);
constexpr Colour kWhite = Rgb(255, 255, 255);

// A plain top-level window to hold the controls under test.
class Frame {
public:
    Frame(int clientWidth, int clientHeight) {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            wc.lpszClassName = L"MbCalendarTestFrame";
            return RegisterClassExW(&wc);
        }();
        (void)atom;
        RECT r{0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
        hwnd_.reset(CreateWindowExW(0, L"MbCalendarTestFrame", L"カレンダー", WS_OVERLAPPEDWINDOW, 40, 40,
                                    r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                                    nullptr));
        ShowWindow(hwnd_.get(), SW_SHOW);
        UpdateWindow(hwnd_.get());
    }
    HWND Hwnd() const { return hwnd_.get(); }

private:
    mb::win::UniqueWindow hwnd_;
};

void Pump(int ms = 200) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

// Grid pixels are blue, green, red; colours are red in the low byte.
Colour ColourOf(std::uint32_t pixel) {
    return Rgb(static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
               static_cast<int>(pixel & 0xFF));
}

// How many pixels of each colour a rectangle of the picture (pixels, top-left
// origin) holds.
std::map<Colour, int> Count(const PixelGrid& grid, int left, int top, int right, int bottom) {
    std::map<Colour, int> n;
    for (int t = std::max(top, 0); t < bottom && t < grid.H(); ++t)
        for (int x = std::max(left, 0); x < right && x < grid.W(); ++x) ++n[ColourOf(grid.At(x, t + 1))];
    return n;
}

class Calendar : public DriverTest {
protected:
    static constexpr int kWidth = 560, kHeight = 420;

    Calendar() : frame_(kWidth, kHeight), cale_(host_) {}

    void SetUp() override {
        picture_ = std::make_unique<PictureBoxWindow>(frame_.Hwnd(), "picCalendar", 0, 0, kWidth, kHeight);
        picture_->SetBackColor(kWhite);
        WindowControl control(picture_->Hwnd());
        cale_.Picture(control);
        ASSERT_EQ(cale_.Picture(), picture_.get());
        const int tx = host_.TwipsPerPixelX(), ty = host_.TwipsPerPixelY();
        cale_.AreaLeft(static_cast<float>(10 * tx));
        cale_.AreaRight(static_cast<float>((kWidth - 10) * tx));
        cale_.AreaTop(static_cast<float>(90 * ty));
        cale_.AreaBottom(static_cast<float>((kHeight + 30) * ty));
    }

    PixelGrid Pixels() {
        PixelGrid grid(picture_->ImageWidth(), picture_->ImageHeight());
        EXPECT_FALSE(GetPixels(*picture_, grid));
        return grid;
    }

    // The colours inside the box of a drawn day number.
    std::map<Colour, int> DayColours(const PixelGrid& grid, int day) {
        std::string s = day < 10 ? " " : "";
        s += std::to_string(day);
        const int tx = host_.TwipsPerPixelX(), ty = host_.TwipsPerPixelY();
        const int left = static_cast<int>(cale_.DayPosX(day)) / tx, top = static_cast<int>(cale_.DayPosY(day)) / ty;
        const int w = static_cast<int>(picture_->TextWidth(s)) / tx, h = static_cast<int>(picture_->TextHeight(s)) / ty;
        return Count(grid, left, top, left + w, top + h);
    }

    // Text drawn in `expected` and in none of the other day colours.
    static void ExpectOnly(const std::map<Colour, int>& seen, Colour expected, const std::string& what) {
        const auto count = [&](Colour c) {
            auto it = seen.find(c);
            return it == seen.end() ? 0 : it->second;
        };
        EXPECT_GE(count(expected), 8) << what;
        for (Colour other : {kBlack, kRed, kBlue, kMagenta}) {
            if (other == expected) continue;
            EXPECT_EQ(count(other), 0) << what << " has colour " << std::hex << other;
        }
    }

    Frame frame_;
    win::GdiCaleSetHost host_;
    cCaleSet cale_;
    std::unique_ptr<PictureBoxWindow> picture_;
};

// May 2026: 2 and 16 Saturdays, 10 a Sunday, 13 a plain Wednesday; 3 a holiday on a
// Sunday, 6 its substitute day, 20 a Wednesday the user marked.
TEST_F(Calendar, MonthColours) {
    std::string flags(31, '0');
    flags[19] = '1';
    cale_.Holydays(flags);
    cale_.Create({2026, 5, 1});
    Pump();
    const PixelGrid grid = Pixels();
    const std::pair<int, Colour> days[] = {{2, kBlue},    {16, kBlue},   {10, kRed},     {13, kBlack},
                                           {3, kMagenta}, {6, kMagenta}, {20, kMagenta}, {21, kBlack}};
    for (const auto& [day, colour] : days) ExpectOnly(DayColours(grid, day), colour, std::to_string(day) + ". May");

    // Weekday names sit on the area's top edge, one per column.
    const int tx = host_.TwipsPerPixelX(), ty = host_.TwipsPerPixelY();
    const int cellW = static_cast<int>(cale_.AreaRight() - cale_.AreaLeft()) / 8 / tx;
    const int cellH = static_cast<int>(cale_.AreaBottom() - cale_.AreaTop()) / 7 / ty;
    const int top = static_cast<int>(cale_.AreaTop()) / ty;
    const Colour weekday[] = {kRed, kBlack, kBlack, kBlack, kBlack, kBlack, kBlue};
    for (int i = 0; i < 7; ++i) {
        const int centre = static_cast<int>(cale_.AreaLeft()) / tx + (i + 1) * cellW;
        ExpectOnly(Count(grid, centre - cellW / 2, top - cellH / 2, centre + cellW / 2, top + cellH / 2), weekday[i],
                   std::to_string(i + 1) + ". weekday");
    }
    Shot("may-2026");
}

// A month shown in a window, for the documentation.
TEST_F(Calendar, ShownInAWindow) {
    const int tx = host_.TwipsPerPixelX(), ty = host_.TwipsPerPixelY();
    cale_.PosX(0, static_cast<float>(12 * tx));
    cale_.PosY(0, static_cast<float>(10 * ty));
    cale_.PosX(1, static_cast<float>(12 * tx));
    cale_.PosY(1, static_cast<float>(56 * ty));
    cale_.AreaTop(static_cast<float>(130 * ty));
    cale_.AreaBottom(static_cast<float>(445 * ty));
    cale_.TypeWeek(2);
    cale_.Header("予定表");
    cale_.Holydays(std::string(31, '0'));
    cale_.Create({2026, 5, 1});
    Pump(300);
    EXPECT_TRUE(driver::Screenshot(driver::ScreenshotFolder() + "/calendar-month.png"));
}

// Picture pixel (x, t) is grid (x, t + 1), both ways, on the image bitmap itself.
TEST_F(Calendar, PixelTransferOnARealBitmap) {
    PictureBoxWindow small(frame_.Hwnd(), "picSmall", 0, 0, 7, 5);
    HDC dc = small.ImageDc();
    for (int t = 0; t < 5; ++t)
        for (int x = 0; x < 7; ++x) SetPixel(dc, x, t, RGB(10 * x, 20 * t, 200));
    PixelGrid grid(7, 5);
    ASSERT_FALSE(GetPixels(small, grid));
    for (int t = 0; t < 5; ++t)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(ColourOf(grid.At(x, t + 1)), Rgb(10 * x, 20 * t, 200)) << x << "," << t;

    for (int t = 0; t < 5; ++t)
        for (int x = 0; x < 7; ++x) grid.At(x, t + 1) = static_cast<std::uint32_t>(200 << 16 | (5 * t) << 8 | (30 * x));
    for (int x = 0; x <= 7; ++x) grid.At(x, 0) = 0x00FFFFFF;
    for (int y = 0; y <= 5; ++y) grid.At(7, y) = 0x00FFFFFF;
    ASSERT_FALSE(PutPixels(small, grid));
    for (int t = 0; t < 5; ++t)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(GetPixel(dc, x, t), RGB(200, 5 * t, 30 * x)) << x << "," << t;
}

TEST_F(Calendar, FrameShadingOnARealBitmap) {
    PictureBoxWindow box(frame_.Hwnd(), "picFrame", 0, 0, 40, 30);
    box.SetBackColor(Rgb(128, 128, 128));
    ShadeFrame(box, {5, 5, 5, 5, 0, 0, 0, 0}, 1);
    HDC dc = box.ImageDc();
    EXPECT_EQ(GetPixel(dc, 20, 0), RGB(228, 228, 228));
    EXPECT_EQ(GetPixel(dc, 0, 15), RGB(178, 178, 178));
    EXPECT_EQ(GetPixel(dc, 39, 15), RGB(78, 78, 78));
    EXPECT_EQ(GetPixel(dc, 20, 29), RGB(28, 28, 28));
    EXPECT_EQ(GetPixel(dc, 20, 15), RGB(128, 128, 128));
}

// Fonts replaced by the next one, images replaced on resizing, and what is left when
// the box goes are all deleted (a deleted GDI object has no type).
TEST_F(Calendar, GdiObjectsGoWithTheBox) {
    HGDIOBJ font = nullptr, image = nullptr;
    HDC dc = nullptr;
    {
        PictureBoxWindow box(frame_.Hwnd(), "picGdi", 0, 0, 50, 40);
        FontSpec spec{"ＭＳ Ｐゴシック", 12, true, false, true};
        box.SetFont(spec);
        const HGDIOBJ firstFont = GetCurrentObject(box.ImageDc(), OBJ_FONT);
        spec.size = 14;
        box.SetFont(spec);
        EXPECT_NE(GetCurrentObject(box.ImageDc(), OBJ_FONT), firstFont);
        EXPECT_EQ(GetObjectType(firstFont), 0u);

        const HGDIOBJ firstImage = GetCurrentObject(box.ImageDc(), OBJ_BITMAP);
        ASSERT_TRUE(SetWindowPos(box.Hwnd(), nullptr, 0, 0, 60, 45, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE));
        EXPECT_EQ(box.ImageWidth(), 60);
        EXPECT_EQ(GetObjectType(firstImage), 0u);

        box.Print("12");
        PixelGrid grid(60, 45);
        EXPECT_FALSE(GetPixels(box, grid));
        EXPECT_FALSE(PutPixels(box, grid));
        font = GetCurrentObject(box.ImageDc(), OBJ_FONT);
        image = GetCurrentObject(box.ImageDc(), OBJ_BITMAP);
        dc = box.ImageDc();
        EXPECT_EQ(GetObjectType(image), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(GetObjectType(image), 0u);
    EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST_F(Calendar, ListBoxIsNoPictureBox) {
    mb::win::UniqueWindow list(CreateWindowExW(0, L"ListBox", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, frame_.Hwnd(),
                                               nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(list);
    SetForegroundWindow(frame_.Hwnd());
    std::optional<driver::MessageBoxInfo> box;
    std::thread presser([&] {
        box = driver::WaitMessageBox(GetCurrentProcessId(), 10000);
        if (box) driver::Press(*box, IDOK);
    });
    WindowControl control(list.get());
    cale_.Picture(control);  // returns once the box is closed
    presser.join();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, L"CaleSet Error");
    EXPECT_EQ(box->text, L"PictureBoxでありません。(ListBox)");
    EXPECT_EQ(box->icon, driver::Icon::Information);
    EXPECT_EQ(cale_.Picture(), picture_.get());
}

}  // namespace
}  // namespace mb::schedit
