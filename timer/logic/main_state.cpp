#include "logic/main_state.h"

namespace mb::timer {

MainState AfterLoad(int rows) {
    if (rows >= 1) return {true, 0, false};
    return {false, 1, true};
}

MainState Toggled(const MainState& s) {
    if (!s.enabled) return {true, 0, s.ymGreyed};
    return {false, 1, s.ymGreyed};
}

MainState AfterSave(int checkedRows) {
    if (checkedRows == 0) return {false, 1, true};
    return {true, 0, false};
}

StartupPlan PlanStartup(const MainState& afterLoad, bool poolEmpty, bool hiddenSwitch) {
    StartupPlan plan;
    plan.state = afterLoad;
    // Nothing to change the wallpaper with: disabled, but the icon and the greyed
    // state stay as the schedule left them, so the user can still enable it.
    if (poolEmpty) plan.state.enabled = false;
    if (!plan.state.enabled) {
        plan.dataErrorBox = hiddenSwitch;
        plan.trayIcon = true;
    } else {
        plan.timerRuns = true;
        plan.trayIcon = !hiddenSwitch;
        plan.hidden = hiddenSwitch;
    }
    return plan;
}

void TimerGate::Enable(bool on) {
    enabled_ = on;
    Apply();
}

void TimerGate::Hold() {
    ++holds_;
    Apply();
}

void TimerGate::Release() {
    if (holds_ > 0) --holds_;
    Apply();
}

void TimerGate::Apply() {
    const bool run = Running();
    if (run == applied_) return;
    applied_ = run;
    apply_(run);
}

bool DisplayChange::Changed() {
    if (!waiting_) gate_.Hold();
    if (pool_.Set_Collection() && hasSetCal_) {
        pool_.StartPainter();
        waiting_ = true;
        return true;
    }
    waiting_ = false;
    gate_.Release();
    return false;
}

void DisplayChange::WaitOver() {
    if (!waiting_) return;
    waiting_ = false;
    pool_.Set_Collection();
    gate_.Release();
}

}  // namespace mb::timer
