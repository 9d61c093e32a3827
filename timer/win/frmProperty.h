#pragma once
// The property dialog. Its list lstTime is the live TimeList of the running
// program: created (hidden) at start-up, filled by Load_Data, read by every tick,
// kept until the program ends.
#include "logic/schedule.h"
#include "mMain.h"
#include "win/handles.h"

#include <windows.h>

namespace mb::timer {

// lstTime over a list box: rows in text order by character codes, the slot and
// the check mark in each row's item data.
class ListBoxTimeList final : public TimeList {
public:
    explicit ListBoxTimeList(HWND list) : list_(list) {}
    int Count() const override;
    std::string Text(int row) const override;
    bool Checked(int row) const override;
    int Tag(int row) const override;
    void Clear() override;
    int Add(const std::string& text, int tag, bool checked) override;
    void SetChecked(int row, bool checked) override;
    void Remove(int row) override;

private:
    long long Data(int row) const;
    HWND list_;
};

class frmProperty {
public:
    // Creating the dialog resets ActionFlags to slot 0 alone.
    frmProperty(HINSTANCE instance, mMain& main);
    frmProperty(const frmProperty&) = delete;
    frmProperty& operator=(const frmProperty&) = delete;

    TimeList& lstTime() { return list_; }
    HWND Hwnd() const { return hwnd_.get(); }
    // The tray menu's "プロパティ(&P)". The dialog's own controls arrive with the
    // time-list editing; until then it stays hidden.
    void ShowModeless() {}

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void DrawRow(const DRAWITEMSTRUCT& item) const;

    mMain& main_;
    win::UniqueWindow hwnd_;
    HWND listHwnd_ = nullptr;
    ListBoxTimeList list_{nullptr};
};

}  // namespace mb::timer
