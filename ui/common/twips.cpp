#include "twips.h"

namespace qm {

TwipsScale TwipsScale::ForScreen() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return TwipsScale(dpi > 0 ? dpi : 96);
}

RECT TwipsScale::ToPixels(int left, int top, int width, int height) const {
    // Edges are converted, not sizes, so neighbouring controls never drift apart.
    return RECT{ToPixels(left), ToPixels(top), ToPixels(left + width), ToPixels(top + height)};
}

} // namespace qm
