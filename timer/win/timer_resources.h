#pragma once
// Resource and command ids of MBTimer's own windows (the wallpaper change uses 300 and up).
#define IDI_ENABLED 1    // imgIcon(0); also the program's icon
#define IDI_DISABLED 2   // imgIcon(1)

#define IDR_POPUP 100    // mnuPopup
#define IDM_YM 101
#define IDM_WALLCENTER 102
#define IDM_PROPERTY 103
#define IDM_CLOSE 104

#define IDC_LSTTIME 200
#define IDC_LBLMESSAGE 210
