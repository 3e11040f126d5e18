#pragma once
// A window's controls as one table: each row names a control and gives its class,
// text, place in twips and styles. Rows are created in order, which is also the
// Tab order.

#include "twips.h"

#include <windows.h>

#include <cstddef>

namespace qm {

struct ControlSpec {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    int left, top, width, height; // twips, within the client area
    DWORD style;                  // WS_CHILD is always added
    DWORD exStyle = 0;
};

// Creates every row's control with the given font. Returns false if any failed.
bool CreateControls(HWND parent, const ControlSpec* specs, std::size_t count,
                    const TwipsScale& scale, HFONT font);

template <std::size_t N>
bool CreateControls(HWND parent, const ControlSpec (&specs)[N], const TwipsScale& scale,
                    HFONT font) {
    return CreateControls(parent, specs, N, scale, font);
}

// A top-level window's client area: its place on the screen and its size, in twips.
struct ClientArea {
    int left, top, width, height;
};

// The frame rectangle that gives a window of these styles that client area.
RECT FrameForClientArea(const TwipsScale& scale, const ClientArea& area, DWORD style, DWORD exStyle,
                        bool hasMenu);

// After creation: a menu bar that wraps takes more height than the frame allowed
// for, so the window grows until its client area has the full height again.
void KeepClientHeight(HWND window, const TwipsScale& scale, const ClientArea& area);

} // namespace qm
