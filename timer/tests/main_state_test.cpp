// The enabled/disabled state table, start-up's choices, the timer gate and the
// display-change sequence.
#include "logic/main_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mb::timer {
namespace {

std::string Show(const MainState& s) {
    return std::string(s.Caption()) + " icon" + std::to_string(s.icon) + " " + std::string(s.YmCaption()) +
           (s.ymGreyed ? " greyed" : "");
}

TEST(MainState, Transitions) {
    const MainState loaded = AfterLoad(2), empty = AfterLoad(0);
    EXPECT_EQ(Show(loaded), "【有効】 icon0 無効にする(&D)");
    EXPECT_EQ(Show(empty), "【無効】 icon1 有効にする(&E) greyed");
    EXPECT_EQ(Show(Toggled(loaded)), "【無効】 icon1 有効にする(&E)");
    EXPECT_EQ(Toggled(Toggled(loaded)), loaded);
    EXPECT_EQ(Show(AfterSave(0)), "【無効】 icon1 有効にする(&E) greyed");
    EXPECT_EQ(Show(AfterSave(3)), "【有効】 icon0 無効にする(&D)");
}

struct StartupCase {
    const char* name;
    int rows;
    bool poolEmpty;
    bool hiddenSwitch;
    const char* state;
    bool timerRuns, dataErrorBox, trayIcon, hidden;
};

const StartupCase kStartup[] = {
    {"Tray", 2, false, false, "【有効】 icon0 無効にする(&D)", true, false, true, false},
    {"Hidden", 2, false, true, "【有効】 icon0 無効にする(&D)", true, false, false, true},
    {"EmptyScheduleInTray", 0, false, false, "【無効】 icon1 有効にする(&E) greyed", false, false, true, false},
    {"EmptyScheduleHiddenFallsBackToTray", 0, false, true, "【無効】 icon1 有効にする(&E) greyed", false, true, true, false},
    // No pictures: disabled, yet the enabled icon and a usable menu item stay.
    {"EmptyPool", 2, true, false, "【無効】 icon0 有効にする(&E)", false, false, true, false},
    {"EmptyPoolHidden", 2, true, true, "【無効】 icon0 有効にする(&E)", false, true, true, false},
    {"EmptyPoolAndSchedule", 0, true, true, "【無効】 icon1 有効にする(&E) greyed", false, true, true, false},
};

class Startup : public ::testing::TestWithParam<StartupCase> {};

TEST_P(Startup, Plan) {
    const StartupCase& c = GetParam();
    StartupPlan p = PlanStartup(AfterLoad(c.rows), c.poolEmpty, c.hiddenSwitch);
    EXPECT_EQ(Show(p.state), c.state);
    EXPECT_EQ(p.timerRuns, c.timerRuns);
    EXPECT_EQ(p.dataErrorBox, c.dataErrorBox);
    EXPECT_EQ(p.trayIcon, c.trayIcon);
    EXPECT_EQ(p.hidden, c.hidden);
}

INSTANTIATE_TEST_SUITE_P(Cases, Startup, ::testing::ValuesIn(kStartup),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TimerGate, ChoiceMadeDuringAHoldWinsAfterIt) {
    std::vector<bool> applied;
    TimerGate gate([&](bool on) { applied.push_back(on); });
    gate.Enable(true);
    {
        TimerHold tick(gate);
        EXPECT_FALSE(gate.Running());
        gate.Enable(false);  // the user disables from the tray while the tick waits
    }
    EXPECT_FALSE(gate.Running());
    {
        TimerHold tick(gate);
        gate.Enable(true);
        {
            TimerHold nested(gate);
        }
        EXPECT_FALSE(gate.Running());
    }
    EXPECT_TRUE(gate.Running());
    EXPECT_EQ(applied, (std::vector<bool>{true, false, true}));
}

class FakePool final : public PicturePoolPort {
public:
    bool Set_Collection() override {
        log.push_back("collect");
        return fromHostFolder;
    }
    void StartPainter() override { log.push_back("painter"); }
    bool fromHostFolder = true;
    std::vector<std::string> log;
};

TEST(DisplayChange, PainterThenWaitWithTimerHeldThenRebuild) {
    bool running = false;
    TimerGate gate([&](bool on) { running = on; });
    gate.Enable(true);
    FakePool pool;
    DisplayChange change(gate, pool, true);
    EXPECT_TRUE(change.Changed());
    EXPECT_FALSE(running);
    EXPECT_EQ(pool.log, (std::vector<std::string>{"collect", "painter"}));
    gate.Enable(false);  // the user disables meanwhile
    gate.Enable(true);
    EXPECT_FALSE(running);
    change.WaitOver();
    EXPECT_TRUE(running);
    EXPECT_EQ(pool.log, (std::vector<std::string>{"collect", "painter", "collect"}));
    change.WaitOver();  // a late second call does nothing
    EXPECT_EQ(pool.log.size(), 3u);
}

TEST(DisplayChange, NoWaitWithoutPainterOrHostFolder) {
    for (bool hasSetCal : {false, true}) {
        bool running = false;
        TimerGate gate([&](bool on) { running = on; });
        gate.Enable(true);
        FakePool pool;
        pool.fromHostFolder = hasSetCal ? false : true;
        DisplayChange change(gate, pool, hasSetCal);
        EXPECT_FALSE(change.Changed());
        EXPECT_TRUE(running);
        EXPECT_EQ(pool.log, std::vector<std::string>{"collect"});
    }
}

TEST(DisplayChange, SecondChangeDuringTheWaitStartsItAgain) {
    bool running = false;
    TimerGate gate([&](bool on) { running = on; });
    gate.Enable(true);
    FakePool pool;
    DisplayChange change(gate, pool, true);
    EXPECT_TRUE(change.Changed());
    EXPECT_TRUE(change.Changed());
    change.WaitOver();
    EXPECT_TRUE(running);
    // The second change found no host folder: the wait ends at once.
    EXPECT_TRUE(change.Changed());
    pool.fromHostFolder = false;
    EXPECT_FALSE(change.Changed());
    EXPECT_FALSE(change.Waiting());
    EXPECT_TRUE(running);
}

}  // namespace
}  // namespace mb::timer
