#pragma once
// The note that explains MBTimerH, shown modally until it is closed.
#include "launcher.h"

#include "win/handles.h"

#include <windows.h>

namespace mb::launcher {

class frmFirstMessage {
public:
    explicit frmFirstMessage(HINSTANCE instance);
    // Shows the note and runs its own message loop until the note is closed.
    NoteOutcome ShowModal();

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnSize(int width);
    void OnCommand(int id);
    void CloseNote();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND text1_ = nullptr, cmdClose_ = nullptr, chkMsg_ = nullptr, cmdCancel_ = nullptr;
    win::UniqueFont font_;
    win::UniqueBrush white_;
    NoteOutcome outcome_;
    bool closed_ = false;
};

}  // namespace mb::launcher
