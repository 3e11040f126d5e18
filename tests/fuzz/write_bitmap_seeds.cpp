// Writes the bitmap fuzzer's seeds: a small sound bitmap of each header, depth
// and layout the reader takes, one file each, into the folder named on the
// command line.
//
//   write_bitmap_seeds FOLDER

#include "bitmap_files.h"

#include <cstdio>
#include <string>

namespace {

using qm::test::HeaderKind;
using qm::test::Rgb;
using qm::test::Split;
using qm::test::TwoColourBitmap;

struct Seed {
    const char* name;
    TwoColourBitmap spec;
};

constexpr Rgb kOrange{255, 128, 0}, kTeal{0, 128, 128};
constexpr Split kTop = Split::TopBottom, kLeft = Split::LeftRight;

const Seed kSeeds[] = {
    {"core-1", {7, 5, 1, false, false, kTop, kOrange, kTeal, HeaderKind::Core}},
    {"core-4", {7, 5, 4, false, false, kLeft, kOrange, kTeal, HeaderKind::Core}},
    {"core-8", {7, 5, 8, false, false, kTop, kOrange, kTeal, HeaderKind::Core}},
    {"core-24", {7, 5, 24, false, false, kLeft, kOrange, kTeal, HeaderKind::Core}},
    {"info-1", {9, 6, 1, false, false, kLeft, kOrange, kTeal}},
    {"info-4", {9, 6, 4, false, false, kTop, kOrange, kTeal}},
    {"info-8", {9, 6, 8, false, false, kLeft, kOrange, kTeal}},
    {"info-16", {9, 6, 16, false, false, kTop, kOrange, kTeal}},
    {"info-24", {9, 6, 24, false, false, kLeft, kOrange, kTeal}},
    {"info-32", {9, 6, 32, false, false, kTop, kOrange, kTeal}},
    {"info-rle4", {9, 6, 4, false, true, kLeft, kOrange, kTeal}},
    {"info-rle8", {9, 6, 8, false, true, kTop, kOrange, kTeal}},
    {"info-fields-16", {9, 6, 16, false, false, kLeft, kOrange, kTeal, HeaderKind::Info, true}},
    {"info-fields-32", {9, 6, 32, false, false, kTop, kOrange, kTeal, HeaderKind::Info, true}},
    {"info-top-down-1", {9, 6, 1, true, false, kTop, kOrange, kTeal}},
    {"info-top-down-24", {9, 6, 24, true, false, kLeft, kOrange, kTeal}},
    {"v4-8", {6, 4, 8, false, false, kTop, kOrange, kTeal, HeaderKind::V4}},
    {"v4-24", {6, 4, 24, false, false, kLeft, kOrange, kTeal, HeaderKind::V4}},
    {"v4-rle8", {6, 4, 8, false, true, kLeft, kOrange, kTeal, HeaderKind::V4}},
    {"v4-fields-16", {6, 4, 16, false, false, kTop, kOrange, kTeal, HeaderKind::V4, true}},
    {"v4-top-down-32", {6, 4, 32, true, false, kLeft, kOrange, kTeal, HeaderKind::V4}},
    {"v5-4", {6, 4, 4, false, false, kLeft, kOrange, kTeal, HeaderKind::V5}},
    {"v5-rle4", {6, 4, 4, false, true, kTop, kOrange, kTeal, HeaderKind::V5}},
    {"v5-fields-32", {6, 4, 32, false, false, kLeft, kOrange, kTeal, HeaderKind::V5, true}},
    {"v5-top-down-16", {6, 4, 16, true, false, kTop, kOrange, kTeal, HeaderKind::V5}},
};

bool Write(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_bitmap_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    for (const Seed& seed : kSeeds) {
        if (!Write(folder + "/" + seed.name + ".bmp", qm::test::TwoColourBitmapFile(seed.spec))) {
            std::fprintf(stderr, "cannot write %s\n", seed.name);
            return 1;
        }
    }
    if (!Write(folder + "/info-gradient-24.bmp", qm::test::GradientBitmapFile(11, 7))) {
        return 1;
    }
    return 0;
}
