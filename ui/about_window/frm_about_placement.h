#pragma once
// Keeps a window at its fixed place when that place is on the screen, and moves
// it just far enough to be whole on a screen too small for it.

#include <windows.h>

namespace qm::about {

// The window's rectangle moved into area: right and bottom edges first, then
// left and top, so that on a screen too small the caption stays reachable.
RECT MovedWithin(const RECT& window, const RECT& area);

// Moves the window within the work area of the monitor it is nearest to.
void KeepOnWorkArea(HWND window);

} // namespace qm::about
