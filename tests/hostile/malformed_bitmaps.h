#pragma once
// Damaged and hostile bitmap files for the preview sweep: every header cut short,
// impossible sizes and depths, offsets and colour tables that point past the
// end, run-length streams that run off the picture, and other formats wearing a
// .bmp name. A few sound bitmaps among them show that the preview still changes.

#include <cstdint>
#include <string>
#include <vector>

namespace qm::test {

// What the preview may do with a file.
enum class Outcome {
    Kept,   // keep the picture it had
    Either, // keep it, or show this file's picture at its header's size
    Shown,  // show this file's picture at its header's size
};

struct MalformedBitmap {
    std::string name; // unique, and sorts in the order of the list
    std::string bytes;
    Outcome outcome;
    int width, height; // the header's picture size, for Either and Shown; -1: any
};

std::vector<MalformedBitmap> MalformedBitmaps();

// The headers of a sound uncompressed bitmap whose pixels (zero) follow to the
// end of a file of that size: big files made in a moment as sparse files.
struct BigBitmap {
    std::string header;
    std::uint64_t fileSize;
};
BigBitmap BigBitmapOf(int width, int height, int bitsPerPixel, std::uint64_t fileSize = 0);

// 8000 x 8000 pixels at 24 bits in a file of 200 MB.
inline BigBitmap HugeBitmap() {
    return BigBitmapOf(8000, 8000, 24, 200ull * 1000 * 1000);
}

} // namespace qm::test
