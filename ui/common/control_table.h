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

// Sizes and places a top-level window so that its client area has the given place
// on the screen and the given size, in twips.
void PlaceClientArea(HWND window, const TwipsScale& scale, int left, int top, int width,
                     int height);

} // namespace qm
