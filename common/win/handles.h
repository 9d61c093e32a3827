#pragma once
// One owner type per kind of Windows handle: copies deleted, moves allowed.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace mb::win {

template <typename H, typename Close, H Invalid = H{}>
class Unique {
public:
    Unique() = default;
    explicit Unique(H h) : h_(h) {}
    ~Unique() { reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& o) noexcept : h_(std::exchange(o.h_, Invalid)) {}
    Unique& operator=(Unique&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, Invalid));
        return *this;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != Invalid; }
    H release() { return std::exchange(h_, Invalid); }
    void reset(H h = Invalid) {
        if (h_ != Invalid) Close{}(h_);
        h_ = h;
    }

private:
    H h_ = Invalid;
};

struct CloseKernel { void operator()(HANDLE h) const { CloseHandle(h); } };
struct CloseKey { void operator()(HKEY h) const { RegCloseKey(h); } };
struct CloseGdi { void operator()(HGDIOBJ h) const { DeleteObject(h); } };
struct CloseDc { void operator()(HDC h) const { DeleteDC(h); } };
struct DestroyWin { void operator()(HWND h) const { DestroyWindow(h); } };
struct CloseIcon { void operator()(HICON h) const { DestroyIcon(h); } };
struct CloseMenu { void operator()(HMENU h) const { DestroyMenu(h); } };

using UniqueHandle = Unique<HANDLE, CloseKernel>;
using UniqueKey = Unique<HKEY, CloseKey>;
using UniqueFont = Unique<HFONT, CloseGdi>;
using UniqueBitmap = Unique<HBITMAP, CloseGdi>;
using UniqueBrush = Unique<HBRUSH, CloseGdi>;
using UniquePen = Unique<HPEN, CloseGdi>;
using UniqueDc = Unique<HDC, CloseDc>;
using UniqueWindow = Unique<HWND, DestroyWin>;
using UniqueIcon = Unique<HICON, CloseIcon>;
using UniqueMenu = Unique<HMENU, CloseMenu>;

// FindFirstFile's handle is invalid as INVALID_HANDLE_VALUE, not null.
class UniqueFind {
public:
    explicit UniqueFind(HANDLE h) : h_(h) {}
    ~UniqueFind() { if (h_ != INVALID_HANDLE_VALUE) FindClose(h_); }
    UniqueFind(const UniqueFind&) = delete;
    UniqueFind& operator=(const UniqueFind&) = delete;
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

// A window's DC from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND w) : w_(w), dc_(GetDC(w)) {}
    ~WindowDc() { if (dc_) ReleaseDC(w_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND w_;
    HDC dc_;
};

// Selects an object into a DC for one scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A COM interface pointer.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) { reset(); p_ = std::exchange(o.p_, nullptr); }
        return *this;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** put() { reset(); return &p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() { if (p_) { p_->Release(); p_ = nullptr; } }

private:
    T* p_ = nullptr;
};

// COM for the life of a scope.
class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() { if (ok_) CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};

}  // namespace mb::win
