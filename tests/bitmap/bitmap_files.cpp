#include "bitmap_files.h"

#include <cstdint>
#include <vector>

namespace qm::test {
namespace {

void Put16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

void PutColour(std::string& out, Rgb colour, bool withReserved) {
    out += static_cast<char>(colour.b);
    out += static_cast<char>(colour.g);
    out += static_cast<char>(colour.r);
    if (withReserved) {
        out += '\0';
    }
}

std::string File(int width, int height, int bitsPerPixel, std::uint32_t compression,
                 const std::string& palette, const std::string& pixels) {
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size());
    std::string file = "BM";
    Put32(file, offset + static_cast<std::uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    Put32(file, 40);
    Put32(file, static_cast<std::uint32_t>(width));
    Put32(file, static_cast<std::uint32_t>(height)); // negative for top-down
    Put16(file, 1);
    Put16(file, static_cast<std::uint16_t>(bitsPerPixel));
    Put32(file, compression);
    Put32(file, static_cast<std::uint32_t>(pixels.size()));
    Put32(file, 2834);
    Put32(file, 2834);
    Put32(file, static_cast<std::uint32_t>(palette.size() / 4));
    Put32(file, 0);
    return file + palette + pixels;
}

// Palette places of the two colours, per depth; the other entries stay black.
int FirstIndex(int bits) {
    return bits == 1 ? 0 : bits == 4 ? 3 : 7;
}
int SecondIndex(int bits) {
    return bits == 1 ? 1 : bits == 4 ? 12 : 200;
}

std::string Palette(const TwoColourBitmap& spec) {
    const int entries = 1 << spec.bitsPerPixel;
    std::string palette;
    for (int i = 0; i < entries; ++i) {
        const Rgb colour = i == FirstIndex(spec.bitsPerPixel)    ? spec.first
                           : i == SecondIndex(spec.bitsPerPixel) ? spec.second
                                                                 : Rgb{0, 0, 0};
        PutColour(palette, colour, true);
    }
    return palette;
}

bool IsFirst(const TwoColourBitmap& spec, int x, int y) {
    return spec.split == Split::TopBottom ? y < spec.height / 2 : x < spec.width / 2;
}

// One row of the image (y counted from the top) in the file's encoding.
std::string Row(const TwoColourBitmap& spec, int y) {
    std::string row;
    const int bits = spec.bitsPerPixel;
    if (bits <= 8) {
        std::vector<int> indices;
        for (int x = 0; x < spec.width; ++x) {
            indices.push_back(IsFirst(spec, x, y) ? FirstIndex(bits) : SecondIndex(bits));
        }
        if (spec.rle8) {
            // Runs of up to 255, then the end of the line.
            for (std::size_t x = 0; x < indices.size();) {
                std::size_t run = 1;
                while (x + run < indices.size() && run < 255 && indices[x + run] == indices[x]) {
                    ++run;
                }
                row += static_cast<char>(run);
                row += static_cast<char>(indices[x]);
                x += run;
            }
            row += std::string("\0\0", 2);
            return row;
        }
        const int perByte = 8 / bits;
        for (int x = 0; x < spec.width; x += perByte) {
            int byte = 0;
            for (int i = 0; i < perByte; ++i) {
                const int index = x + i < spec.width ? indices[static_cast<std::size_t>(x + i)] : 0;
                byte |= index << (8 - bits * (i + 1));
            }
            row += static_cast<char>(byte);
        }
    } else {
        for (int x = 0; x < spec.width; ++x) {
            const Rgb colour = IsFirst(spec, x, y) ? spec.first : spec.second;
            if (bits == 16) {
                Put16(row, static_cast<std::uint16_t>(((colour.r >> 3) << 10) |
                                                      ((colour.g >> 3) << 5) | (colour.b >> 3)));
            } else {
                PutColour(row, colour, bits == 32);
            }
        }
    }
    while (row.size() % 4) {
        row += '\0';
    }
    return row;
}

} // namespace

std::string TwoColourBitmapFile(const TwoColourBitmap& spec) {
    std::string pixels;
    for (int stored = 0; stored < spec.height; ++stored) {
        pixels += Row(spec, spec.topDown ? stored : spec.height - 1 - stored);
    }
    if (spec.rle8) {
        pixels += std::string("\0\1", 2); // end of the bitmap
    }
    const std::string palette = spec.bitsPerPixel <= 8 ? Palette(spec) : std::string();
    return File(spec.width, spec.topDown ? -spec.height : spec.height, spec.bitsPerPixel,
                spec.rle8 ? BI_RLE8 : BI_RGB, palette, pixels);
}

Rgb GradientAt(int x, int y) {
    return Rgb{static_cast<BYTE>(x), static_cast<BYTE>(y * 2),
               static_cast<BYTE>((x * 3 + y) & 0xFF)};
}

std::string GradientBitmapFile(int width, int height) {
    std::string pixels;
    for (int stored = 0; stored < height; ++stored) {
        const int y = height - 1 - stored;
        std::string row;
        for (int x = 0; x < width; ++x) {
            PutColour(row, GradientAt(x, y), false);
        }
        while (row.size() % 4) {
            row += '\0';
        }
        pixels += row;
    }
    return File(width, height, 24, BI_RGB, std::string(), pixels);
}

} // namespace qm::test
