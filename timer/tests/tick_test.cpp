// The tick's decisions, with a simulated clock: what fires, when, in which order,
// with which text.
#include "logic/main_state.h"
#include "logic/report_error.h"
#include "logic/tick.h"
#include "timer_fakes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace mb::timer {
namespace {

using test::FakeClock;
using test::MemoryProfile;
using test::RecordingActions;

struct Entry {
    const char* time;
    bool checked;
    std::int16_t flags;
    const char* message;
    const char* sound;
};

// A schedule as the dialog or Load_Data leaves it: one slot per row, rows sorted.
struct Schedule {
    explicit Schedule(const std::vector<Entry>& entries) {
        tables.Recreate(static_cast<int>(entries.size()));
        int slot = 0;
        for (const Entry& e : entries) {
            ++slot;
            list.Add(e.time, slot, e.checked);
            tables.ActionFlags[slot] = e.flags;
            tables.MessageTexts[slot] = e.message;
            tables.SoundFiles[slot] = e.sound;
        }
    }
    RowList list;
    ScheduleTables tables;
};

std::string Stamp(int seconds) {
    char s[16];
    std::snprintf(s, sizeof s, "%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
    return s;
}

class TickTest : public ::testing::Test {
protected:
    TickTest() { ini.FileName("MBTimer.ini"); }

    // One tick per second from `from` up to, not including, `to` (seconds since
    // midnight; past 86400 is the next day). Returns what happened, stamped.
    std::vector<std::string> Run(const Schedule& s, int from, int to) {
        std::vector<std::string> seen;
        for (int t = from; t < to; ++t) {
            clock.seconds = t % 86400;
            if (gate && !gate->Running()) continue;
            TickOnce(s, seen);
        }
        return seen;
    }
    void TickOnce(const Schedule& s, std::vector<std::string>& seen) {
        actions.log.clear();
        ticker.Tick(ini, s.list, s.tables, clock, actions);
        for (const std::string& line : actions.log) seen.push_back(Stamp(clock.seconds) + " " + line);
    }

    MemoryProfile profile;
    cInifile ini{profile};
    FakeClock clock;
    RecordingActions actions;
    Ticker ticker;
    TimerGate* gate = nullptr;
};

const std::vector<Entry> kDay = {
    {"00:00", true, kMessage, "midnight $Time$", " "},
    {"07:00", false, kMessage, "unchecked", " "},
    {"07:00", true, kAlarm | kMessage | kWallPaper, "wake", "c:\\bell.wav"},
    {"12:30", true, kWallPaper, "$Time$", " "},
    {"23:59", true, kAlarm, " ", "c:\\late.wav"},
};

TEST_F(TickTest, ASimulatedDayFiresEachActiveMinuteOnceInOrder) {
    Schedule s(kDay);
    actions.files = {"c:\\bell.wav", "c:\\late.wav"};
    EXPECT_EQ(Run(s, 0, 86400 + 90), (std::vector<std::string>{
                                          "00:00:00 message [    midnight 00:00     ]",
                                          "07:00:00 play c:\\bell.wav",
                                          "07:00:00 message [    wake    ]",
                                          "07:00:00 wallpaper",
                                          "07:01:00 stop",
                                          "12:30:00 wallpaper",
                                          "23:59:00 play c:\\late.wav",
                                          "00:00:00 stop",
                                          "00:00:00 message [    midnight 00:00     ]",
                                      }));
    EXPECT_EQ(profile.reads, 86400 + 90) << "one settings read per tick";
}

TEST_F(TickTest, DisablingAndEnablingWithinTheMinuteDoesNotFireItAgain) {
    Schedule s(kDay);
    actions.files = {"c:\\bell.wav"};
    bool running = false;
    TimerGate g([&](bool on) { running = on; });
    g.Enable(true);
    gate = &g;
    auto seen = Run(s, 7 * 3600, 7 * 3600 + 10);
    g.Enable(false);
    auto idle = Run(s, 7 * 3600 + 10, 7 * 3600 + 40);
    g.Enable(true);
    auto after = Run(s, 7 * 3600 + 40, 7 * 3600 + 61);
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_TRUE(idle.empty());
    EXPECT_EQ(after, std::vector<std::string>{"07:01:00 stop"});
}

TEST_F(TickTest, ClockJumps) {
    Schedule s(kDay);
    actions.files = {"c:\\bell.wav"};
    const int seven = 7 * 3600, halfPastTwelve = 12 * 3600 + 30 * 60;
    // Asleep over 07:00: no catching up.
    EXPECT_TRUE(Run(s, seven - 30, seven - 25).empty());
    EXPECT_TRUE(Run(s, seven + 70, seven + 75).empty());
    // Set back to 07:00 while LastMinute is empty: fires.
    EXPECT_EQ(Run(s, seven + 10, seven + 30).size(), 3u);
    EXPECT_EQ(Run(s, halfPastTwelve, halfPastTwelve + 40),
              (std::vector<std::string>{"12:30:00 stop", "12:30:00 wallpaper"}));
    // Back into the minute that fired last: nothing.
    EXPECT_TRUE(Run(s, halfPastTwelve + 5, halfPastTwelve + 50).empty());
    // Back to an earlier minute: it fires again.
    EXPECT_EQ(Run(s, seven + 30, seven + 31),
              (std::vector<std::string>{"07:00:30 play c:\\bell.wav", "07:00:30 message [    wake    ]",
                                        "07:00:30 wallpaper"}));
}

struct OneTickCase {
    const char* name;
    std::vector<Entry> entries;
    std::vector<std::string> expected;  // at 07:00:00; the files present are c:\bell.wav only
};

class OneTick : public TickTest, public ::testing::WithParamInterface<OneTickCase> {};

TEST_P(OneTick, AtSevenOClock) {
    Schedule s(GetParam().entries);
    actions.files = {"c:\\bell.wav"};
    clock.Set(7, 0, 0);
    actions.log.clear();
    ticker.Tick(ini, s.list, s.tables, clock, actions);
    EXPECT_EQ(actions.log, GetParam().expected);
}

const OneTickCase kOneTick[] = {
    {"AllThreeInOrder", {{"07:00", true, 7, "m", "c:\\bell.wav"}},
     {"play c:\\bell.wav", "message [    m    ]", "wallpaper"}},
    {"AllBitsOfANegativeValue", {{"07:00", true, -1, "m", "c:\\bell.wav"}},
     {"play c:\\bell.wav", "message [    m    ]", "wallpaper"}},
    {"NoFlags", {{"07:00", true, 0, "m", "c:\\bell.wav"}}, {}},
    {"Unchecked", {{"07:00", false, 7, "m", "c:\\bell.wav"}}, {}},
    {"FirstCheckedOfTwoAtTheSameTime", {{"07:00", false, 2, "first", " "}, {"07:00", true, 2, "second", " "}},
     {"message [    second    ]"}},
    {"ScanStopsAtALaterRow", {{"06:00", true, 7, "m", " "}, {"08:00", true, 7, "m", " "}}, {}},
    {"ShortKeyNeverMatches", {{"7:00", true, 7, "m", " "}}, {}},
    {"MissingSoundFile", {{"07:00", true, kAlarm, " ", "c:\\gone.wav"}}, {}},
    {"NoSoundFile", {{"07:00", true, kAlarm, " ", " "}}, {}},
    {"EmptySoundFile", {{"07:00", true, kAlarm, " ", ""}}, {}},
    {"OneSpaceMessageShowsNothing", {{"07:00", true, kMessage, " ", " "}}, {}},
    {"EmptyMessageShowsEightSpaces", {{"07:00", true, kMessage, "", " "}}, {"message [        ]"}},
    {"FirstTimePlaceholderOnly", {{"07:00", true, kMessage, "Good morning, $Time$! $Time$", " "}},
     {"message [    Good morning, 07:00 ! $Time$    ]"}},
    {"PlaceholderIsCaseSensitive", {{"07:00", true, kMessage, "$time$", " "}}, {"message [    $time$    ]"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, OneTick, ::testing::ValuesIn(kOneTick),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TickTest, CloseRequestIsAnsweredBeforeAnythingFires) {
    Schedule s(kDay);
    clock.Set(7, 0);
    profile.data["PrevInstance"]["Close"] = "True";
    EXPECT_EQ(ticker.Tick(ini, s.list, s.tables, clock, actions), Ticker::Result::CloseRequested);
    EXPECT_EQ(profile.data["PrevInstance"]["Close"], "False");
    EXPECT_TRUE(actions.log.empty());

    for (const char* other : {"Hide", "False", "true", ""}) {
        profile.data["PrevInstance"]["Close"] = other;
        EXPECT_EQ(ticker.Tick(ini, s.list, s.tables, clock, actions), Ticker::Result::Continue) << other;
        EXPECT_EQ(profile.data["PrevInstance"]["Close"], other);
    }
}

TEST_F(TickTest, StaleCloseRequestIsClearedAtStartUp) {
    struct Case {
        const char* before;  // nullptr: no key
        const char* after;
    } cases[] = {{"Hide", "False"}, {"True", "False"}, {"False", "False"}, {"true", "true"}, {nullptr, nullptr}};
    for (const auto& c : cases) {
        profile.data.clear();
        if (c.before) profile.data["PrevInstance"]["Close"] = c.before;
        ClearStaleCloseRequest(ini);
        auto& section = profile.data["PrevInstance"];
        const std::string got = section.count("Close") ? section["Close"] : "<none>";
        EXPECT_EQ(got, c.after ? c.after : "<none>") << (c.before ? c.before : "<none>");
    }
}

TEST_F(TickTest, SlotOutsideTheTablesIsARunTimeError) {
    Schedule s({{"07:00", true, 2, "m", " "}});
    s.list.Add("07:00", 5, true);  // a row whose slot the tables do not have
    s.list.Remove(0);
    clock.Set(7, 0);
    try {
        ticker.Tick(ini, s.list, s.tables, clock, actions);
        FAIL() << "no error";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), kSubscriptOutOfRange);
    }
}

TEST(ReplaceFirstTime, KeepsTheLength) {
    EXPECT_EQ(ReplaceFirstTime("a$Time$b", {9, 5, 59}), "a09:05 b");
    EXPECT_EQ(ReplaceFirstTime("$Time", {9, 5, 0}), "$Time");
    EXPECT_EQ(ReplaceFirstTime("時刻$Time$です", {23, 59, 0}), "時刻23:59 です");
}

}  // namespace
}  // namespace mb::timer
