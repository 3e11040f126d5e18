#pragma once
// Layouts are given in twips (1/1440 inch); this is the one place that turns them
// into pixels, from the screen's real DPI (15 twips a pixel at 96 DPI).

#include <windows.h>

namespace qm {

class TwipsScale {
public:
    explicit TwipsScale(int dpi) : dpi_(dpi) {}
    static TwipsScale ForScreen();

    int Dpi() const { return dpi_; }
    int ToPixels(int twips) const { return MulDiv(twips, dpi_, 1440); }
    RECT ToPixels(int left, int top, int width, int height) const;

private:
    int dpi_;
};

} // namespace qm
