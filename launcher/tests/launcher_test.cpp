#include "launcher.h"

#include "ini_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace mb::launcher {
namespace {

struct FakeUi : LauncherUi {
    NoteOutcome answer;
    int notes = 0;
    std::vector<std::pair<std::string, std::string>> errors;
    NoteOutcome ShowNote() override { ++notes; return answer; }
    void ShowError(const std::string& text, std::string_view title) override { errors.emplace_back(text, title); }
};

struct FakeStarter : ProgramStarter {
    std::optional<std::string> failure;
    std::vector<std::string> started;
    std::optional<std::string> Start(const std::string& commandLine) override {
        started.push_back(commandLine);
        return failure;
    }
};

// The program folder text gets a "\" before the file names, as on Windows; natively
// "<tmp>/app" + "\MBTimerH.ini" is then a file named "app\MBTimerH.ini" in <tmp>.
struct LaunchRun {
    LaunchRun() { std::filesystem::create_directory(dir.Path() / "app"); }  // the folder, on Windows
    test::TempFolder dir;
    FakeUi ui;
    FakeStarter starter;
    std::string Folder() const { return dir.File("app"); }
    std::string Ini() const { return dir.File("app\\MBTimerH.ini"); }
    void Go() { RunLauncher(Folder(), OwnProfile(), ui, starter); }
};

TEST(Launcher, NoteText) {
    std::string t = NoteText();
    EXPECT_EQ(t.rfind("　本ソフトは「MBTimer.exe」", 0), 0u);
    EXPECT_NE(t.find("ください。\r\n\r\n　尚、"), std::string::npos);
    EXPECT_EQ(t.substr(t.size() - 3), "。");  // no line break after the last paragraph
}

TEST(Launcher, CommandLineQuotesThePathOnly) {
    EXPECT_EQ(TimerCommandLine("C:\\Program Files\\Murabell\\"), "\"C:\\Program Files\\Murabell\\MBTimer.exe\" /H");
    EXPECT_EQ(TimerCommandLine("D:\\"), "\"D:\\MBTimer.exe\" /H");
}

TEST(Launcher, Outcomes) {
    struct Case {
        const char* name;
        const char* showBefore;  // nullptr: no file
        NoteOutcome answer;
        int notes;
        bool started;
        const char* fileAfter;   // nullptr: no file
    } cases[] = {
        {"NoFileOk", nullptr, {false, false}, 1, true, nullptr},
        {"TickedOk", nullptr, {false, true}, 1, true, "[Message]\r\nShow=False\r\n"},
        {"TickedCancel", nullptr, {true, true}, 1, false, "[Message]\r\nShow=False\r\n"},
        {"UntickedCancel", nullptr, {true, false}, 1, false, nullptr},
        {"Suppressed", "[Message]\r\nShow=False\r\n", {}, 0, true, "[Message]\r\nShow=False\r\n"},
        {"LowerCaseFalseShows", "[Message]\r\nShow=false\r\n", {false, false}, 1, true, "[Message]\r\nShow=false\r\n"},
        {"OtherValueShows", "[Message]\r\nShow=True\r\n", {false, true}, 1, true, "[Message]\r\nShow=False\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LaunchRun r;
        if (c.showBefore) test::WriteBytes(r.Ini(), c.showBefore);
        r.ui.answer = c.answer;
        r.Go();
        EXPECT_EQ(r.ui.notes, c.notes);
        EXPECT_EQ(r.starter.started.size(), c.started ? 1u : 0u);
        if (c.started) {
            EXPECT_EQ(r.starter.started[0], "\"" + r.Folder() + "\\MBTimer.exe\" /H");
        }
        if (c.fileAfter) {
            EXPECT_EQ(test::ReadBytes(r.Ini()), c.fileAfter);
        } else {
            EXPECT_FALSE(test::Exists(r.Ini()));
        }
        EXPECT_TRUE(r.ui.errors.empty());
    }
}

TEST(Launcher, StartFailureShowsTheError) {
    LaunchRun r;
    r.starter.failure = "指定されたファイルが見つかりません。";
    r.Go();
    ASSERT_EQ(r.ui.errors.size(), 1u);
    EXPECT_EQ(r.ui.errors[0].first, "予期せぬエラー：指定されたファイルが見つかりません。");
    EXPECT_EQ(r.ui.errors[0].second, "MBTimerH");
}

TEST(Launcher, FolderWithoutClosingBackslashGetsOne) {
    FakeUi ui;
    FakeStarter starter;
    // A folder text without "\" at the end: one is added before the file names.
    RunLauncher("X:\\Apps", OwnProfile(), ui, starter);
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started[0], "\"X:\\Apps\\MBTimer.exe\" /H");
}

}  // namespace
}  // namespace mb::launcher
