#include "bitmap_files.h"

#include <vector>

namespace qm::test {
namespace {

// The header's compression field.
constexpr std::uint32_t kUncompressed = 0, kRunLength8 = 1, kRunLength4 = 2, kBitFields = 3;

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

std::size_t HeaderSize(HeaderKind kind) {
    switch (kind) {
    case HeaderKind::Core:
        return 12;
    case HeaderKind::Info:
        return 40;
    case HeaderKind::V4:
        return 108;
    case HeaderKind::V5:
        return 124;
    }
    return 40;
}

struct Layout {
    HeaderKind header;
    int width, height; // height negative for top-down
    int bitsPerPixel;
    std::uint32_t compression;
    std::string masks; // red, green and blue masks with bit fields, else empty
    std::string palette;
    std::string pixels;
};

std::string File(const Layout& layout) {
    const std::size_t headerSize = HeaderSize(layout.header);
    const bool core = layout.header == HeaderKind::Core;
    // An information header is followed by the masks; later headers hold them.
    const std::string masksAfter = layout.header == HeaderKind::Info ? layout.masks : "";
    const std::uint32_t offset =
        static_cast<std::uint32_t>(14 + headerSize + masksAfter.size() + layout.palette.size());
    std::string file = "BM";
    Put32(file, offset + static_cast<std::uint32_t>(layout.pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    Put32(file, static_cast<std::uint32_t>(headerSize));
    if (core) {
        Put16(file, static_cast<std::uint16_t>(layout.width));
        Put16(file, static_cast<std::uint16_t>(layout.height));
        Put16(file, 1);
        Put16(file, static_cast<std::uint16_t>(layout.bitsPerPixel));
        return file + layout.palette + layout.pixels;
    }
    Put32(file, static_cast<std::uint32_t>(layout.width));
    Put32(file, static_cast<std::uint32_t>(layout.height));
    Put16(file, 1);
    Put16(file, static_cast<std::uint16_t>(layout.bitsPerPixel));
    Put32(file, layout.compression);
    Put32(file, static_cast<std::uint32_t>(layout.pixels.size()));
    Put32(file, 2834);
    Put32(file, 2834);
    Put32(file, static_cast<std::uint32_t>(layout.palette.size() / 4));
    Put32(file, 0);
    if (layout.header != HeaderKind::Info) {
        file += layout.masks.empty() ? std::string(12, '\0') : layout.masks;
        Put32(file, 0);                     // alpha mask
        Put32(file, 0x73524742);            // 'sRGB' colour space
        file += std::string(36 + 12, '\0'); // end points and gamma, unused for sRGB
        if (layout.header == HeaderKind::V5) {
            Put32(file, 4); // rendering intent: pictures
            Put32(file, 0); // no profile
            Put32(file, 0);
            Put32(file, 0);
        }
    }
    return file + masksAfter + layout.palette + layout.pixels;
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
        PutColour(palette, colour, spec.header != HeaderKind::Core);
    }
    return palette;
}

std::string Masks(const TwoColourBitmap& spec) {
    if (!spec.bitFields) {
        return "";
    }
    std::string masks;
    const bool sixteen = spec.bitsPerPixel == 16;
    Put32(masks, sixteen ? 0xF800 : 0xFF0000);
    Put32(masks, sixteen ? 0x07E0 : 0x00FF00);
    Put32(masks, sixteen ? 0x001F : 0x0000FF);
    return masks;
}

bool IsFirst(const TwoColourBitmap& spec, int x, int y) {
    return spec.split == Split::TopBottom ? y < spec.height / 2 : x < spec.width / 2;
}

// Runs of up to 255 pixels of one index, then the end of the line; at 4 bits
// both halves of a run's byte hold the index.
std::string RunLengthRow(const std::vector<int>& indices, int bits) {
    std::string row;
    for (std::size_t x = 0; x < indices.size();) {
        std::size_t run = 1;
        while (x + run < indices.size() && run < 255 && indices[x + run] == indices[x]) {
            ++run;
        }
        row += static_cast<char>(run);
        row += static_cast<char>(bits == 4 ? indices[x] << 4 | indices[x] : indices[x]);
        x += run;
    }
    return row + std::string("\0\0", 2);
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
        if (spec.runLength) {
            return RunLengthRow(indices, bits);
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
            if (bits == 16 && spec.bitFields) {
                Put16(row, static_cast<std::uint16_t>(((colour.r >> 3) << 11) |
                                                      ((colour.g >> 2) << 5) | (colour.b >> 3)));
            } else if (bits == 16) {
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
    std::uint32_t compression = kUncompressed;
    if (spec.runLength) {
        pixels += std::string("\0\1", 2); // end of the bitmap
        compression = spec.bitsPerPixel == 4 ? kRunLength4 : kRunLength8;
    } else if (spec.bitFields) {
        compression = kBitFields;
    }
    const std::string palette = spec.bitsPerPixel <= 8 ? Palette(spec) : std::string();
    return File({spec.header, spec.width, spec.topDown ? -spec.height : spec.height,
                 spec.bitsPerPixel, compression, Masks(spec), palette, pixels});
}

Rgb GradientAt(int x, int y) {
    return Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y * 2),
               static_cast<std::uint8_t>((x * 3 + y) & 0xFF)};
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
    return File({HeaderKind::Info, width, height, 24, kUncompressed, "", "", pixels});
}

void Set16(std::string& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Set32(std::string& bytes, std::size_t at, std::uint32_t value) {
    Set16(bytes, at, value & 0xFFFF);
    Set16(bytes, at + 2, value >> 16);
}

} // namespace qm::test
