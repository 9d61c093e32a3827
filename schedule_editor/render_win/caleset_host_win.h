#pragma once
// The calendar's surroundings on Windows: the screen, today, the user's month names,
// message boxes; and any window as a control the calendar can be handed.
#include "logic/picture.h"

#include <windows.h>

#include <string>

namespace mb::schedit::win {

class GdiCaleSetHost : public CaleSetHost {
public:
    GdiCaleSetHost();
    int TwipsPerPixelX() const override { return tppx_; }
    int TwipsPerPixelY() const override { return tppy_; }
    Date Today() const override;
    const MonthNames& LocaleMonthNames() const override { return names_; }
    void InformationBox(const std::string& text, const std::string& title) override;

private:
    int tppx_, tppy_;
    MonthNames names_;
};

// The screen's twips per pixel (15 at 96 dpi).
int ScreenTwipsPerPixelX();
int ScreenTwipsPerPixelY();

// A window seen as a control: our picture boxes are picture boxes; other windows
// are known by the kind of control their class makes ("ListBox", "TextBox", ...).
class WindowControl : public Control {
public:
    explicit WindowControl(HWND h) : hwnd_(h) {}
    std::string TypeName() const override;
    std::string Name() const override;
    PictureBox* AsPictureBox() override;

private:
    HWND hwnd_;
};

}  // namespace mb::schedit::win
