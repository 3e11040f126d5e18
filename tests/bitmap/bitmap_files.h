#pragma once
// Windows bitmap files made by the tests, in every colour depth and layout the
// preview must read, each with colours that show whether it was read right.

#include <windows.h>

#include <string>

namespace qm::test {

struct Rgb {
    BYTE r, g, b;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};

enum class Split { TopBottom, LeftRight };

struct TwoColourBitmap {
    int width, height;
    int bitsPerPixel; // 1, 4, 8, 16, 24 or 32
    bool topDown;     // rows stored from the top, as a negative height says
    bool rle8;        // 8 bits per pixel, run-length encoded
    Split split;
    Rgb first, second; // top or left half, then bottom or right half
};

// The bytes of a bitmap file showing first and second in two halves.
std::string TwoColourBitmapFile(const TwoColourBitmap& spec);

// A 24-bit bitmap whose every pixel differs from its neighbours: GradientAt.
std::string GradientBitmapFile(int width, int height);
Rgb GradientAt(int x, int y);

} // namespace qm::test
