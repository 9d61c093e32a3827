#pragma once
// Window layouts are given in twips (1440 to the inch); convert at the screen's DPI.
#include <windows.h>

namespace mb::win {

inline int ScreenDpiX() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return dpi;
}

inline int ScreenDpiY() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

inline int TwipsToPixelsX(int twips) { return MulDiv(twips, ScreenDpiX(), 1440); }
inline int TwipsToPixelsY(int twips) { return MulDiv(twips, ScreenDpiY(), 1440); }

// A font by face and point size (as the forms give them), at the screen's DPI.
inline HFONT CreatePointFont(const wchar_t* face, double points, bool bold = false) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(static_cast<int>(points * 100 + 0.5), ScreenDpiY(), 7200);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

}  // namespace mb::win
