// MBTimerH end to end: the real program in a folder whose name holds a space, with a
// stand-in MBTimer.exe that records how it was started.
#include "driver.h"
#include "text/wide.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mb::driver {
namespace {

const Find kNote{L"", L"Read First [MBTimerH]", 0, true};

class Launcher : public DriverTest {
protected:
    TestFolder folder;

    void SetUp() override {
        folder.CopyProgram(L"MBTimerH.exe", L"MBTimerH.exe");
        folder.CopyProgram(L"standins\\record_command_line.exe", L"MBTimer.exe");
    }
    App Start() { return App::Start(folder.File(L"MBTimerH.exe"), L"", folder.Path()); }
    // The stand-in's log: one line per start; waits for `starts` lines.
    std::string Started(int starts = 1) {
        WaitFor(
            [&] {
                std::string log = folder.Read(L"MBTimer.log");
                return std::count(log.begin(), log.end(), '\n') >= starts;
            },
            5000);
        return folder.Read(L"MBTimer.log");
    }
    std::string ExpectedStart() const { return "\"" + Narrow(folder.File(L"MBTimer.exe")) + "\" /H\n"; }
    HWND WaitNote(const App& app) {
        Find f = kNote;
        f.pid = app.Pid();
        return WaitWindow(f);
    }
};

TEST_F(Launcher, NoteShowsItsTextsAndOkStartsTimerHidden) {
    App app = Start();
    HWND note = WaitNote(app);
    ASSERT_TRUE(note);
    HWND text = ChildByText(note, L"Edit", L"");
    ASSERT_TRUE(text);
    std::wstring body = TextOf(text);
    EXPECT_EQ(body.rfind(L"　本ソフトは「MBTimer.exe」をバックグラウンドで実行させるものです。\r\n\r\n", 0), 0u);
    EXPECT_NE(body.find(L"\r\n\r\n　このメッセージフォームを閉じた直後に、バックグラウンドで実行を開始します。"), std::wstring::npos);
    HWND chk = ChildByText(note, L"Button", L"次回から表示しない");
    ASSERT_TRUE(chk);
    EXPECT_FALSE(IsChecked(chk));
    EXPECT_TRUE(ChildByText(note, L"Button", L"実行を中止する(&Q)"));
    // Text1 spans the window's inner width.
    RECT client, edit;
    GetClientRect(note, &client);
    GetWindowRect(text, &edit);
    EXPECT_EQ(edit.right - edit.left, client.right);
    Sleep(300);
    Shot("note");

    Click(ChildByText(note, L"Button", L"&OK"));
    ASSERT_TRUE(app.WaitExit(5000));
    EXPECT_EQ(Started(), ExpectedStart());
    EXPECT_FALSE(folder.Exists(L"MBTimerH.ini"));
}

TEST_F(Launcher, TickedOkWritesTheSettingAndTheNextStartAsksNothing) {
    {
        App app = Start();
        HWND note = WaitNote(app);
        ASSERT_TRUE(note);
        HWND chk = ChildByText(note, L"Button", L"次回から表示しない");
        Send(chk, BM_CLICK);
        EXPECT_TRUE(IsChecked(chk));
        Click(ChildByText(note, L"Button", L"&OK"));
        ASSERT_TRUE(app.WaitExit(5000));
    }
    EXPECT_EQ(folder.Read(L"MBTimerH.ini"), "[Message]\r\nShow=False\r\n");
    App again = Start();
    ASSERT_TRUE(again.WaitExit(5000));
    EXPECT_FALSE(FindTopWindow(kNote));
    EXPECT_EQ(Started(2), ExpectedStart() + ExpectedStart());
}

TEST_F(Launcher, TickedCancelWritesTheSettingAndStartsNothing) {
    App app = Start();
    HWND note = WaitNote(app);
    ASSERT_TRUE(note);
    Send(ChildByText(note, L"Button", L"次回から表示しない"), BM_CLICK);
    Click(ChildByText(note, L"Button", L"実行を中止する(&Q)"));
    ASSERT_TRUE(app.WaitExit(5000));
    EXPECT_EQ(folder.Read(L"MBTimerH.ini"), "[Message]\r\nShow=False\r\n");
    Sleep(500);
    EXPECT_FALSE(folder.Exists(L"MBTimer.log"));
}

TEST_F(Launcher, CloseBoxCountsAsOk) {
    folder.Write(L"MBTimerH.ini", "[Message]\r\nShow=false\r\n");  // not "False": the note shows
    App app = Start();
    HWND note = WaitNote(app);
    ASSERT_TRUE(note);
    Post(note, WM_CLOSE);
    ASSERT_TRUE(app.WaitExit(5000));
    EXPECT_EQ(Started(), ExpectedStart());
    EXPECT_EQ(folder.Read(L"MBTimerH.ini"), "[Message]\r\nShow=false\r\n");
}

TEST_F(Launcher, MissingTimerShowsThePlatformErrorAndEnds) {
    folder.Remove(L"MBTimer.exe");
    App app = Start();
    HWND note = WaitNote(app);
    ASSERT_TRUE(note);
    Click(ChildByText(note, L"Button", L"&OK"));
    auto box = WaitMessageBox(app.Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, L"MBTimerH");
    EXPECT_EQ(box->text.rfind(L"予期せぬエラー：", 0), 0u);
    EXPECT_GT(box->text.size(), std::wstring(L"予期せぬエラー：").size());
    EXPECT_EQ(box->icon, Icon::Stop);
    ASSERT_EQ(box->buttons.size(), 1u);
    EXPECT_EQ(box->buttons[0].first, IDOK);
    Shot("error");
    Press(*box, IDOK);
    EXPECT_TRUE(app.WaitExit(5000));
}

// The folder's name holds a space ("...\mb test N\"): started unquoted, the platform
// would first try "...\mb.exe". A decoy there must never run.
TEST_F(Launcher, PathWithSpaceStartsTheRightProgram) {
    std::wstring parent = folder.Path().substr(0, folder.Path().rfind(L"mb test"));
    std::wstring decoy = parent + L"mb.exe";
    ASSERT_TRUE(CopyFileW((BinDir() + L"standins\\record_command_line.exe").c_str(), decoy.c_str(), FALSE));
    folder.Write(L"MBTimerH.ini", "[Message]\r\nShow=False\r\n");
    App app = Start();
    ASSERT_TRUE(app.WaitExit(5000));
    EXPECT_EQ(Started(), ExpectedStart());
    Sleep(300);
    EXPECT_EQ(GetFileAttributesW((parent + L"mb.log").c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(decoy.c_str());
    DeleteFileW((parent + L"mb.log").c_str());
}

}  // namespace
}  // namespace mb::driver
