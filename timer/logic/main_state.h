#pragma once
// The enabled/disabled state of the main form (caption = tray tip, icon, mnuYM),
// how start-up, the menu and the dialog's save move it, and the gate that decides
// whether Timer1 really runs.
#include <functional>
#include <string>
#include <string_view>

namespace mb::timer {

inline constexpr std::string_view kEnabledCaption = "【有効】";
inline constexpr std::string_view kDisabledCaption = "【無効】";
inline constexpr std::string_view kDisableItem = "無効にする(&D)";
inline constexpr std::string_view kEnableItem = "有効にする(&E)";

struct MainState {
    bool enabled = true;   // the caption, which is also the flag the program tests
    int icon = 0;          // imgIcon index: 0 enabled picture, 1 disabled picture
    bool ymGreyed = false;

    std::string_view Caption() const { return enabled ? kEnabledCaption : kDisabledCaption; }
    std::string_view YmCaption() const { return enabled ? kDisableItem : kEnableItem; }
    bool operator==(const MainState&) const = default;
};

// After Load_Data: enabled with times, greyed-disabled without.
MainState AfterLoad(int rows);
// The menu's enable/disable.
MainState Toggled(const MainState& s);
// The property dialog's save.
MainState AfterSave(int checkedRows);

// What start-up does once the pool is built and the schedule loaded.
struct StartupPlan {
    MainState state;
    bool timerRuns = false;
    bool dataErrorBox = false;  // "/H" with nothing to do: say so, then use the tray
    bool trayIcon = false;
    bool hidden = false;        // runs without a trace; writes "Hide"
};
StartupPlan PlanStartup(const MainState& afterLoad, bool poolEmpty, bool hiddenSwitch);

inline constexpr std::string_view kDataErrorTitle = "MBTimer Data Error";
inline constexpr std::string_view kDataErrorText =
    "有効なデータがありません。\r\nバックグラウンドで実行する意味がありません。\r\nタスクトレイにアイコンを登録します。";
inline constexpr std::string_view kPrevInstanceTitle = "MBTimer PrevInstance Check";
inline constexpr std::string_view kPrevInstanceText =
    "このプログラムは既に起動しています。\r\nバックグラウンド処理中の場合は終了します。";
inline constexpr std::string_view kBadDataTitle = "エラー";
inline constexpr std::string_view kBadDataText = "データに異常がありました。\r\n一部のデータは破棄されました。";

// Whether Timer1 runs: the state the user chose, unless something holds it
// stopped for a while (a tick, the display-change wait). A choice made while it
// is held takes effect when the hold ends, so a tick's modal box cannot undo it.
class TimerGate {
public:
    explicit TimerGate(std::function<void(bool running)> apply) : apply_(std::move(apply)) {}

    void Enable(bool on);
    bool Enabled() const { return enabled_; }
    void Hold();
    void Release();
    bool Running() const { return enabled_ && holds_ == 0; }

private:
    void Apply();

    std::function<void(bool)> apply_;
    bool enabled_ = false;
    int holds_ = 0;
    bool applied_ = false;
};

class TimerHold {
public:
    explicit TimerHold(TimerGate& g) : g_(g) { g_.Hold(); }
    ~TimerHold() { g_.Release(); }
    TimerHold(const TimerHold&) = delete;
    TimerHold& operator=(const TimerHold&) = delete;

private:
    TimerGate& g_;
};

// The display-change sequence: rebuild the pool; when it came from the host's
// folder for this height and the painter is there, start the painter, wait 15 s
// with Timer1 held, and rebuild again.
class PicturePoolPort {
public:
    virtual ~PicturePoolPort() = default;
    virtual bool Set_Collection() = 0;
    virtual void StartPainter() = 0;
};

class DisplayChange {
public:
    static constexpr int kWaitMs = 15000;

    DisplayChange(TimerGate& gate, PicturePoolPort& pool, bool hasSetCal) : gate_(gate), pool_(pool), hasSetCal_(hasSetCal) {}
    // True when the caller must (re)start the 15 s wait and call WaitOver after it;
    // false when nothing is pending (stop any wait timer).
    bool Changed();
    void WaitOver();
    bool Waiting() const { return waiting_; }

private:
    TimerGate& gate_;
    PicturePoolPort& pool_;
    bool hasSetCal_;
    bool waiting_ = false;
};

}  // namespace mb::timer
