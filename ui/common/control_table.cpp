#include "control_table.h"

namespace qm {

bool CreateControls(HWND parent, const ControlSpec* specs, std::size_t count,
                    const TwipsScale& scale, HFONT font) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    bool allCreated = true;
    for (std::size_t i = 0; i < count; ++i) {
        const ControlSpec& spec = specs[i];
        const RECT r = scale.ToPixels(spec.left, spec.top, spec.width, spec.height);
        HWND control = CreateWindowExW(
            spec.exStyle, spec.className, spec.text, WS_CHILD | spec.style, r.left, r.top,
            r.right - r.left, r.bottom - r.top, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
        if (!control) {
            allCreated = false;
            continue;
        }
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return allCreated;
}

void PlaceClientArea(HWND window, const TwipsScale& scale, int left, int top, int width,
                     int height) {
    RECT r = scale.ToPixels(left, top, width, height);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    AdjustWindowRectEx(&r, style, GetMenu(window) != nullptr, exStyle);
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps takes more height than AdjustWindowRectEx allows for.
    RECT client{};
    GetClientRect(window, &client);
    const int wanted = scale.ToPixels(top + height) - scale.ToPixels(top);
    if (client.bottom != wanted) {
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left,
                     r.bottom - r.top + wanted - client.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

} // namespace qm
