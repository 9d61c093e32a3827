#pragma once
// The message window: one per message, topmost, yellow text on black with a red
// band blinking until the user confirms; confirming keeps its place for the next.
#include "ini/cInifile.h"
#include "logic/message_geometry.h"
#include "win/handles.h"

#include <windows.h>

#include <string>

namespace mb::timer {

class frmMessage {
public:
    // Creates the window, hidden and topmost, with the label sized to `caption`.
    frmMessage(HINSTANCE instance, const cInifile& TimerIni, const std::string& caption);
    ~frmMessage();
    frmMessage(const frmMessage&) = delete;
    frmMessage& operator=(const frmMessage&) = delete;

    // Moves the window to its saved place (or the centre) and shows it.
    void Show();
    // Null once the window has been confirmed or closed.
    HWND Hwnd() const { return hwnd_; }

    bool TopMost() const { return topMost_; }
    void TopMost(bool vData);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void Form_Paint();
    void Timer1_Timer();
    void cmdOK_Click();
    RECT Band() const;

    const cInifile& TimerIni_;
    HWND hwnd_ = nullptr;
    HWND lblMessage_ = nullptr;
    HWND cmdOK_ = nullptr;
    win::UniqueFont labelFont_;
    win::UniqueFont buttonFont_;
    win::UniqueBrush red_;
    bool topMost_ = false;
    bool blinkOn_ = false;
    bool bandShown_ = true;
    bool timerRunning_ = false;
};

// The screen as placement needs it: primary size, monitors, twips per pixel.
Screen CurrentScreen();

}  // namespace mb::timer
