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

RECT FrameForClientArea(const TwipsScale& scale, const ClientArea& area, DWORD style, DWORD exStyle,
                        bool hasMenu) {
    RECT frame = scale.ToPixels(area.left, area.top, area.width, area.height);
    AdjustWindowRectEx(&frame, style, hasMenu, exStyle);
    return frame;
}

void KeepClientHeight(HWND window, const TwipsScale& scale, const ClientArea& area) {
    RECT client{};
    GetClientRect(window, &client);
    const int wanted = scale.ToPixels(area.top + area.height) - scale.ToPixels(area.top);
    if (client.bottom == wanted) {
        return;
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top + wanted - client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

} // namespace qm
