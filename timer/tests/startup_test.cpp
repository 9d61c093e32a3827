// Command line, the instance name, the error report's text and the sound's commands.
#include "logic/report_error.h"
#include "logic/sound.h"
#include "logic/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mb::timer {
namespace {

TEST(CommandLine, HiddenSwitch) {
    struct { const char* line; bool hidden; } cases[] = {
        {"\"C:\\Program Files\\MB\\MBTimer.exe\" /H", true},
        {"\"C:\\Program Files\\MB\\MBTimer.exe\" /h", true},
        {"MBTimer.exe /H", true},
        {"MBTimer.exe    /H  ", true},
        {"\"C:\\a b\\MBTimer.exe\"/H", true},
        {"\"C:\\a b\\MBTimer.exe\"", false},
        {"MBTimer.exe", false},
        {"MBTimer.exe /H x", false},
        {"MBTimer.exe /Hx", false},
        {"MBTimer.exe -H", false},
        {"MBTimer.exe /HH", false},
        {"\"C:\\a /H\\MBTimer.exe\"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsHiddenSwitch(ArgumentsOf(c.line)), c.hidden) << c.line;
}

TEST(InstanceName, SameExecutableAnyCaseOtherFolderDiffers) {
    const std::string a = InstanceName("C:\\Program Files\\MB\\MBTimer.exe");
    EXPECT_EQ(a, InstanceName("c:\\program files\\mb\\mbtimer.EXE"));
    EXPECT_NE(a, InstanceName("C:\\Program Files\\MB2\\MBTimer.exe"));
    EXPECT_EQ(a.find('\\'), std::string::npos);
    EXPECT_LT(InstanceName(std::string(2000, 'x')).size(), 64u);
}

TEST(ReportErrorText, ThreeLines) {
    EXPECT_EQ(ReportErrorText(0, 5, "Load_Data", "プロシージャの呼び出し、または引数が不正です。"),
              "L=0:N=5\r\nIn Load_Data.\r\n<プロシージャの呼び出し、または引数が不正です。>");
    EXPECT_EQ(ReportErrorText(120, 13, "Timer", "型が一致しません。"), "L=120:N=13\r\nIn Timer.\r\n<型が一致しません。>");
    EXPECT_EQ(ReportErrorText(0, 0, "MouseMove", ""), "L=0:N=\r\nIn MouseMove.\r\n<>");
}

class RecordingMci final : public MciPort {
public:
    void SendStr(const std::string& command) override { sent.push_back(command); }
    std::vector<std::string> sent;
};

TEST(Sound, CommandStrings) {
    RecordingMci mci;
    SoundPlayer sound(mci);
    sound.Stop();  // nothing open: nothing sent
    EXPECT_TRUE(mci.sent.empty());
    sound.PLay_Sound("c:\\my sounds\\bell.wav");
    EXPECT_TRUE(sound.Open());
    EXPECT_EQ(sound.OpenSound, "\"c:\\my sounds\\bell.wav\"");
    sound.Stop();
    sound.Stop();
    EXPECT_FALSE(sound.Open());
    EXPECT_EQ(mci.sent, (std::vector<std::string>{"open \"c:\\my sounds\\bell.wav\" alias SndMedia", "play SndMedia",
                                                  "stop sndMedia", "close sndMedia"}));
}

}  // namespace
}  // namespace mb::timer
