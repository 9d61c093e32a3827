#pragma once
// The hidden main form: start-up, the tray icon and its menu, Timer1 and the
// tick, the display change, and the program's end.
#include "frmMessage.h"
#include "frmProperty.h"
#include "logic/main_state.h"
#include "logic/sound.h"
#include "logic/tick.h"
#include "mMain.h"
#include "wallpaper_change.h"
#include "win/handles.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace mb::timer {

// mciSendStringA with the result kept in the form's fields.
class WinMci final : public MciPort {
public:
    void SendStr(const std::string& command) override;

    std::string MciCommand;
    std::string MciReturn;
    std::string MciError;
};

class frmMain final : private TickActions, private PicturePoolPort {
public:
    explicit frmMain(HINSTANCE instance);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // The start-up. False when this copy has nothing more to do (another copy runs,
    // or start-up failed and was reported).
    bool Form_Load(const std::string& arguments);
    // The open message window, for its Enter and Esc keys; null when none.
    HWND MessageWindow() const;

    // 0 adds the tray icon, 1 changes it.
    void Show_IconInTray(DWORD ADDorModify);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

    void CreateForm();
    void Timer();
    void MouseMove(LPARAM mouseMessage);
    void ShowPopup();
    void nmuYM_Click();
    void DisplayChanged();
    void DisplayWaitOver();
    void Unload();
    void Apply(const MainState& state);
    void SetTimer1(bool running);

    // An event handler: any failure is reported under its name and ends the program.
    template <typename F>
    void Guarded(std::string_view procedure, F&& f);
    // A procedure with its own name in the report; the caller's handler then ends the program.
    template <typename F>
    void Reported(std::string_view procedure, F&& f);
    void Freeze();

    // TickActions
    bool SoundOpen() const override { return sound_.Open(); }
    void StopSound() override { sound_.Stop(); }
    bool FileExists(const std::string& path) const override;
    void PLay_Sound(const std::string& file) override;
    void ShowMessage(const std::string& caption) override;
    void ChangeWallpaper() override;
    // PicturePoolPort
    bool Set_Collection() override;
    void StartPainter() override;

    HINSTANCE instance_;
    mMain main_;
    HWND hwnd_ = nullptr;
    win::UniqueMenu mnuPopup_;
    win::UniqueIcon imgIcon_[2];
    MainState state_;
    TimerGate gate_;
    Ticker ticker_;
    WinMci mci_;
    SoundPlayer sound_{mci_};
    bool HasSetCal = false;
    std::optional<WallpaperChanger> wallpaper_;
    std::optional<DisplayChange> display_;
    std::unique_ptr<frmProperty> property_;
    std::unique_ptr<frmMessage> message_;
    win::UniqueHandle instance_lock_;
    UINT taskbarCreated_ = 0;
    bool trayIcon_ = false;     // runs in the tray (re-added when Explorer restarts)
    bool hidden_ = false;       // runs hidden and has written "Hide"
    bool ending_ = false;       // an error is being reported: no more events
    bool unloaded_ = false;
};

}  // namespace mb::timer
