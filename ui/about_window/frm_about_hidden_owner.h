#pragma once
// A top-level window that is never shown, to own a window that must not get a
// taskbar button of its own: the shell gives a button to visible windows that
// have no owner (unless they are tool windows, which have a small caption) and
// to WS_EX_APPWINDOW windows, and Wine's X11 driver marks owned windows
// "skip taskbar" by the same rule.

#include <windows.h>

namespace qm::about {

class HiddenOwner {
public:
    HiddenOwner();
    ~HiddenOwner();
    HiddenOwner(const HiddenOwner&) = delete;
    HiddenOwner& operator=(const HiddenOwner&) = delete;

    // nullptr when the system refused to create it; the owned window then gets
    // no owner and a taskbar button, which is the lesser harm.
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

} // namespace qm::about
