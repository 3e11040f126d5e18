#pragma once
// Windows bitmap files made by the tests, in every header, colour depth and
// layout the preview must read, each with colours that show whether it was
// read right.

#include <cstddef>
#include <cstdint>
#include <string>

namespace qm::test {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};

enum class Split { TopBottom, LeftRight };

// The header after the file header: core (12 bytes, three-byte colours,
// 16-bit sizes), information (40), version 4 (108) or version 5 (124).
enum class HeaderKind { Core, Info, V4, V5 };

struct TwoColourBitmap {
    int width, height;
    int bitsPerPixel; // 1, 4, 8, 16, 24 or 32
    bool topDown;     // rows stored from the top, as a negative height says
    bool runLength;   // RLE8 at 8 bits per pixel, RLE4 at 4
    Split split;
    Rgb first, second; // top or left half, then bottom or right half
    HeaderKind header = HeaderKind::Info;
    // 16 or 32 bits with colour masks: 5-6-5 at 16 bits, 8-8-8 at 32.
    bool bitFields = false;
};

// The bytes of a bitmap file showing first and second in two halves. A core
// header takes neither run lengths, bit fields nor top-down rows.
std::string TwoColourBitmapFile(const TwoColourBitmap& spec);

// A 24-bit bitmap whose every pixel differs from its neighbours: GradientAt.
std::string GradientBitmapFile(int width, int height);
Rgb GradientAt(int x, int y);

// Overwrite a little-endian field of a file made above, to spoil it on purpose.
void Set16(std::string& bytes, std::size_t at, std::uint32_t value);
void Set32(std::string& bytes, std::size_t at, std::uint32_t value);

} // namespace qm::test
