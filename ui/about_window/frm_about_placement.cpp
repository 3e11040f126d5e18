#include "frm_about_placement.h"

namespace qm::about {

RECT MovedWithin(const RECT& window, const RECT& area) {
    LONG dx = 0;
    LONG dy = 0;
    if (window.right > area.right) {
        dx = area.right - window.right;
    }
    if (window.bottom > area.bottom) {
        dy = area.bottom - window.bottom;
    }
    if (window.left + dx < area.left) {
        dx = area.left - window.left;
    }
    if (window.top + dy < area.top) {
        dy = area.top - window.top;
    }
    return RECT{window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

void KeepOnWorkArea(HWND window) {
    RECT current{};
    GetWindowRect(window, &current);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&current, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const RECT moved = MovedWithin(current, monitor.rcWork);
    if (moved.left != current.left || moved.top != current.top) {
        SetWindowPos(window, nullptr, moved.left, moved.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace qm::about
