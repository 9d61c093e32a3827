#pragma once
// The object behind a window: handed to CreateWindowExW as its last argument, kept
// in GWLP_USERDATA from WM_NCCREATE on, so window state lives in objects, not statics.
#include <windows.h>

namespace mb::win {

// Call first thing in a window procedure; null for messages before WM_NCCREATE.
template <typename T>
T* WindowObject(HWND hwnd, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return self;
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace mb::win
