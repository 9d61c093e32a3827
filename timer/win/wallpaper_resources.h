#pragma once
// Resource ids of the wallpaper change (300 and up; the rest of MBTimer uses others).
#define IDR_PICERROR 300  // RCDATA: the fallback wallpaper, a 320 x 240 bitmap of 256 colours
