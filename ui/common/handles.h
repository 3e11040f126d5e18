#pragma once
// Owners for Win32 handles: each closes what it holds exactly once.

#include <windows.h>

#include <utility>

namespace qm {

template <typename Handle, typename Traits> class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle(); }
    Handle Release() { return std::exchange(handle_, Handle()); }
    void Reset(Handle handle = Handle()) {
        if (handle_ != Handle()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Handle();
};

struct GdiObjectTraits {
    static void Close(HGDIOBJ object) { DeleteObject(object); }
};
struct IconTraits {
    static void Close(HICON icon) { DestroyIcon(icon); }
};
struct MemoryDcTraits {
    static void Close(HDC dc) { DeleteDC(dc); }
};

using OwnedBitmap = Owned<HBITMAP, GdiObjectTraits>;
using OwnedFont = Owned<HFONT, GdiObjectTraits>;
using OwnedBrush = Owned<HBRUSH, GdiObjectTraits>;
using OwnedIcon = Owned<HICON, IconTraits>;
using OwnedMemoryDc = Owned<HDC, MemoryDcTraits>;

// A window's device context, released on scope exit.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, previous_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace qm
