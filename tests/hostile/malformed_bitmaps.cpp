#include "malformed_bitmaps.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
#include <iterator>
#include <random>

namespace qm::test {
namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Every field of a bitmap file, each free to lie.
struct Fields {
    std::string type = "BM";
    std::optional<std::uint32_t> fileSize;    // the real size when absent
    std::optional<std::uint32_t> pixelOffset; // right after the table when absent
    std::uint32_t headerSize = 40;            // 12 (core), 40, 108 (v4), 124 (v5), or a lie
    std::int32_t width = 16, height = 8;
    std::uint32_t planes = 1, bitCount = 24;
    std::uint32_t compression = kRgb;
    std::optional<std::uint32_t> sizeImage; // the pixels' size when absent
    std::uint32_t colours = 0;              // colours used
    std::uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    std::string table; // what follows the header: three masks or the colour table
    std::string pixels;
};

std::string Header(const Fields& f) {
    std::string header;
    Put32(header, f.headerSize);
    if (f.headerSize == 12) {
        Put16(header, static_cast<std::uint32_t>(f.width));
        Put16(header, static_cast<std::uint32_t>(f.height));
        Put16(header, f.planes);
        Put16(header, f.bitCount);
        return header;
    }
    Put32(header, static_cast<std::uint32_t>(f.width));
    Put32(header, static_cast<std::uint32_t>(f.height));
    Put16(header, f.planes);
    Put16(header, f.bitCount);
    Put32(header, f.compression);
    Put32(header, f.sizeImage ? *f.sizeImage : static_cast<std::uint32_t>(f.pixels.size()));
    Put32(header, 2834);
    Put32(header, 2834);
    Put32(header, f.colours);
    Put32(header, 0);
    if (f.headerSize >= 108 && f.headerSize <= 256) {
        for (std::uint32_t mask : f.masks) {
            Put32(header, mask);
        }
        header += "BGRs";             // colour space
        header.append(36 + 12, '\0'); // end points and gamma
        if (f.headerSize >= 124) {
            Put32(header, 4);        // intent
            header.append(12, '\0'); // profile and reserved
        }
    }
    // A header that claims an odd size gets it, as long as the size is plausible.
    if (f.headerSize <= 256 && header.size() < f.headerSize) {
        header.append(f.headerSize - header.size(), '\0');
    }
    return header;
}

std::string File(const Fields& f) {
    const std::string header = Header(f);
    const std::uint32_t offset =
        f.pixelOffset ? *f.pixelOffset
                      : static_cast<std::uint32_t>(14 + header.size() + f.table.size());
    std::string file = f.type;
    const std::size_t size = 14 + header.size() + f.table.size() + f.pixels.size();
    Put32(file, f.fileSize ? *f.fileSize : static_cast<std::uint32_t>(size));
    Put32(file, 0);
    Put32(file, offset);
    return file + header + f.table + f.pixels;
}

std::size_t Stride(std::int64_t width, std::uint32_t bits) {
    return static_cast<std::size_t>((width * bits + 31) / 32 * 4);
}

// Pixels with a pattern in every byte, enough for the picture's rows.
std::string PixelBytes(std::int64_t width, std::int64_t rows, std::uint32_t bits) {
    std::string pixels(Stride(width, bits) * static_cast<std::size_t>(rows), '\0');
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<char>(i * 37 + 11);
    }
    return pixels;
}

std::string ColourTable(std::uint32_t entries, bool core) {
    std::string table;
    for (std::uint32_t i = 0; i < entries; ++i) {
        table += static_cast<char>(i * 7);
        table += static_cast<char>(i * 13);
        table += static_cast<char>(i * 29);
        if (!core) {
            table += '\0';
        }
    }
    return table;
}

// A sound 16 x 8 bitmap of the given depth, uncompressed.
Fields Sound(std::uint32_t bits) {
    Fields f;
    f.bitCount = bits;
    if (bits <= 8) {
        f.table = ColourTable(1u << bits, false);
    }
    f.pixels = PixelBytes(f.width, f.height, bits);
    return f;
}

Fields SoundBitfields(std::uint32_t bits) {
    Fields f = Sound(bits);
    f.compression = kBitfields;
    f.table.clear();
    if (bits == 16) {
        for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) {
            Put32(f.table, mask);
        }
    } else {
        for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu}) {
            Put32(f.table, mask);
        }
    }
    return f;
}

Fields SoundV4() {
    Fields f = Sound(32);
    f.headerSize = 108;
    f.compression = kBitfields;
    return f;
}

Fields SoundV5() {
    Fields f = Sound(24);
    f.headerSize = 124;
    return f;
}

Fields SoundCore(std::uint32_t bits) {
    Fields f = Sound(bits);
    f.headerSize = 12;
    f.table = ColourTable(1u << bits, true);
    return f;
}

// Eight rows of runs, one row each, and the end of the picture.
std::string SoundRle8Stream() {
    std::string stream;
    for (int row = 0; row < 8; ++row) {
        stream += std::string("\x10", 1) + static_cast<char>(row * 30);
        stream += std::string("\0\0", 2);
    }
    return stream + std::string("\0\x01", 2);
}

std::string SoundRle4Stream() {
    std::string stream;
    for (int row = 0; row < 8; ++row) {
        stream += std::string("\x10", 1) + static_cast<char>(0x10 * row + 3);
        stream += std::string("\0\0", 2);
    }
    return stream + std::string("\0\x01", 2);
}

Fields Rle(std::uint32_t compression, const std::string& stream) {
    Fields f;
    f.compression = compression;
    f.bitCount = compression == kRle8 ? 8 : 4;
    f.table = ColourTable(1u << f.bitCount, false);
    f.pixels = stream;
    return f;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) {
        out += static_cast<char>(value);
    }
    return out;
}

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

// Streams that run off the line, off the picture or off the data.
std::vector<std::pair<const char*, std::string>> HostileRleStreams(bool rle8) {
    const int colour = rle8 ? 0x05 : 0x35;
    const std::string end = Bytes({0, 1});
    const std::string lineEnd = Bytes({0, 0});
    std::string absoluteLong = Bytes({0, 0x40});
    absoluteLong += std::string(rle8 ? 64 : 32, '\x21');
    std::mt19937 random(rle8 ? 8 : 4);
    std::string noise;
    for (int i = 0; i < 1000; ++i) {
        noise += static_cast<char>(random() & 0xFF);
    }
    return {
        {"run past the line end", Repeat(Bytes({0xFF, colour}) + lineEnd, 8) + end},
        {"runs past the last row", Repeat(Bytes({0x10, colour}) + lineEnd, 40) + end},
        {"delta past the end", Bytes({0, 2, 0xFF, 0xFF, 0x10, colour}) + end},
        {"delta to the corner then a run", Bytes({0, 2, 15, 7, 0xFF, colour}) + end},
        {"absolute run longer than the file", Bytes({0, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8, 9})},
        {"absolute run past the line end", absoluteLong + end},
        {"no end of picture", Repeat(Bytes({0x10, colour}) + lineEnd, 7) + Bytes({0x10, colour})},
        {"escape cut short", Bytes({0x10, colour, 0})},
        {"a thousand line ends", Repeat(lineEnd, 1000) + end},
        {"zeros", std::string(1000, '\0')},
        {"noise", noise},
    };
}

class CaseList {
public:
    void Add(const std::string& what, std::string bytes, Outcome outcome, int width = 0,
             int height = 0) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%04zu ", cases_.size());
        cases_.push_back({prefix + what + ".bmp", std::move(bytes), outcome, width, height});
    }
    void Add(const std::string& what, const Fields& f, Outcome outcome) {
        const std::int64_t rows = f.height < 0 ? -std::int64_t{f.height} : f.height;
        Add(what, File(f), outcome, f.width,
            static_cast<int>(std::min<std::int64_t>(rows, INT_MAX)));
    }
    // A sound picture after each group, so that kept pictures differ along the way.
    void AddSound() {
        static const char* const kNames[] = {"sound 24-bit",     "sound v4 32-bit", "sound v5",
                                             "sound core 8-bit", "sound rle8",      "sound rle4",
                                             "sound 16-bit",     "sound 1-bit",     "sound 4-bit"};
        const Fields kinds[] = {Sound(24),
                                SoundV4(),
                                SoundV5(),
                                SoundCore(8),
                                Rle(kRle8, SoundRle8Stream()),
                                Rle(kRle4, SoundRle4Stream()),
                                SoundBitfields(16),
                                Sound(1),
                                Sound(4)};
        const std::size_t which = sound_++ % std::size(kinds);
        Add(kNames[which], kinds[which], Outcome::Shown);
    }
    std::vector<MalformedBitmap> Take() { return std::move(cases_); }

private:
    std::vector<MalformedBitmap> cases_;
    std::size_t sound_ = 0;
};

void AddTruncations(CaseList& list) {
    // Every length of the file and information headers, the empty file included.
    const std::string info = File(Sound(24));
    for (std::size_t n = 0; n <= 54; ++n) {
        list.Add("info header cut at " + std::to_string(n), info.substr(0, n), Outcome::Kept);
    }
    list.AddSound();
    const std::string v4 = File(SoundV4());
    for (std::size_t n = 14; n <= 14 + 108; ++n) {
        list.Add("v4 header cut at " + std::to_string(n), v4.substr(0, n), Outcome::Kept);
    }
    list.AddSound();
    const std::string v5 = File(SoundV5());
    for (std::size_t n = 14; n <= 14 + 124; ++n) {
        list.Add("v5 header cut at " + std::to_string(n), v5.substr(0, n), Outcome::Kept);
    }
    list.AddSound();
    const Fields core = SoundCore(1);
    const std::string coreFile = File(core);
    for (std::size_t n = 14; n <= 14 + 12 + core.table.size(); ++n) {
        list.Add("core header cut at " + std::to_string(n), coreFile.substr(0, n), Outcome::Kept);
    }
    list.AddSound();
    // Pixels cut short: a missing row is not drawn from whatever follows the file.
    for (const Fields& f : {Sound(1), Sound(4), Sound(8), Sound(16), Sound(24), Sound(32),
                            SoundBitfields(16), SoundV4()}) {
        const std::string file = File(f);
        const std::size_t start = file.size() - f.pixels.size();
        for (std::size_t n : {start + 1, start + f.pixels.size() / 2, file.size() - 1}) {
            list.Add(std::to_string(f.bitCount) + "-bit pixels cut at " + std::to_string(n),
                     file.substr(0, n), Outcome::Kept);
        }
    }
    list.AddSound();
    for (std::uint32_t compression : {kRle8, kRle4}) {
        const Fields f =
            Rle(compression, compression == kRle8 ? SoundRle8Stream() : SoundRle4Stream());
        const std::string file = File(f);
        const std::size_t start = file.size() - f.pixels.size();
        const std::string kind = compression == kRle8 ? "rle8" : "rle4";
        list.Add(kind + " without pixels", file.substr(0, start), Outcome::Kept);
        list.Add(kind + " cut half-way", file.substr(0, start + f.pixels.size() / 2),
                 Outcome::Either, 16, 8);
    }
    list.AddSound();
}

void AddSizes(CaseList& list) {
    // Sizes that are impossible, or far beyond the little data the file holds.
    for (std::uint32_t bits : {1u, 8u, 24u, 32u}) {
        const std::string depth = std::to_string(bits) + "-bit ";
        for (std::int32_t width : {0, -1, -16, 100000, INT_MAX, INT_MIN}) {
            Fields f = Sound(bits);
            f.width = width;
            list.Add(depth + "width " + std::to_string(width), f, Outcome::Kept);
        }
        for (std::int32_t height : {0, 100000, -100000, INT_MAX, INT_MIN}) {
            Fields f = Sound(bits);
            f.height = height;
            list.Add(depth + "height " + std::to_string(height), f, Outcome::Kept);
        }
        Fields square = Sound(bits);
        square.width = square.height = 100000;
        list.Add(depth + "100000 square", square, Outcome::Kept);
        list.AddSound();
    }
    // Big pictures from small files: what they may cost is bounded.
    for (const auto& [width, height] : {std::pair{4096, 4096}, {4097, 4096}, {8192, 4096}}) {
        Fields big = Sound(1);
        big.width = width;
        big.height = height;
        big.pixels = PixelBytes(width, height, 1);
        list.Add("1-bit " + std::to_string(width) + " x " + std::to_string(height), big,
                 Outcome::Either);
    }
    for (std::int32_t height : {160, 300, 100000}) {
        Fields runs = Rle(kRle8, SoundRle8Stream());
        runs.width = 100000;
        runs.height = height;
        list.Add("rle8 100000 x " + std::to_string(height) + " from a few bytes", runs,
                 height == 100000 ? Outcome::Kept : Outcome::Either);
    }
    list.AddSound();
}

void AddDepthsAndCompressions(CaseList& list) {
    for (std::uint32_t bits :
         {0u, 2u, 3u, 5u, 7u, 9u, 12u, 15u, 17u, 31u, 33u, 48u, 64u, 255u, 65535u}) {
        for (std::uint32_t compression : {kRgb, kRle8, kRle4, kBitfields}) {
            Fields f = Sound(24);
            f.bitCount = bits;
            f.compression = compression;
            list.Add(std::to_string(bits) + " bits, compression " + std::to_string(compression), f,
                     Outcome::Kept);
        }
    }
    list.AddSound();
    // Depths that exist, with a compression that does not fit them.
    const std::pair<std::uint32_t, std::uint32_t> mismatches[] = {
        {8, kBitfields},  {24, kRle8}, {4, kRle8}, {8, kRle4},
        {24, kBitfields}, {16, kRle4}, {1, kRle8}, {32, kRle4}};
    for (const auto& [bits, compression] : mismatches) {
        Fields f = Sound(bits);
        f.compression = compression;
        list.Add(std::to_string(bits) + "-bit with compression " + std::to_string(compression), f,
                 Outcome::Kept);
    }
    // Compressions a logo file never holds: JPEG, PNG, alpha masks, CMYK, nonsense.
    for (std::uint32_t compression : {4u, 5u, 6u, 7u, 11u, 12u, 13u, 0xFFFFFFFFu}) {
        Fields f = Sound(24);
        f.compression = compression;
        list.Add("compression " + std::to_string(compression), f, Outcome::Kept);
    }
    for (std::uint32_t planes : {0u, 2u, 0xFFFFu}) {
        Fields f = Sound(24);
        f.planes = planes;
        list.Add(std::to_string(planes) + " planes", f, Outcome::Kept);
    }
    for (bool rle8 : {true, false}) {
        Fields f = Rle(rle8 ? kRle8 : kRle4, rle8 ? SoundRle8Stream() : SoundRle4Stream());
        f.height = -8;
        list.Add(std::string(rle8 ? "rle8" : "rle4") + " top-down", f, Outcome::Kept);
    }
    list.AddSound();
}

void AddOffsetsAndTables(CaseList& list) {
    for (std::uint32_t bits : {8u, 24u}) {
        const Fields sound = Sound(bits);
        const std::uint32_t size = static_cast<std::uint32_t>(File(sound).size());
        const std::uint32_t tableEnd = static_cast<std::uint32_t>(54 + sound.table.size());
        for (std::uint32_t offset : {0u, 1u, 13u, 14u, 53u, tableEnd - 1, size - 1, size, size + 1,
                                     0x7FFFFFFFu, 0xFFFFFFFFu}) {
            if (offset == 53u && tableEnd == 54u) {
                continue; // the same as tableEnd - 1
            }
            Fields f = sound;
            f.pixelOffset = offset;
            list.Add(std::to_string(bits) + "-bit pixels at " + std::to_string(offset), f,
                     Outcome::Kept);
        }
        list.AddSound();
    }
    // Colour tables claiming millions of entries; only the depth's own count is read.
    for (std::uint32_t bits : {1u, 4u, 8u, 24u}) {
        for (std::uint32_t claimed : {257u, 1000000u, 1u << 24, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
            const std::string what =
                std::to_string(bits) + "-bit claiming " + std::to_string(claimed) + " colours";
            Fields full = Sound(bits);
            full.colours = claimed;
            list.Add(what, full, Outcome::Either);
            if (bits == 4 || bits == 8) {
                Fields shortTable = full;
                shortTable.table = ColourTable(2, false);
                list.Add(what + ", two present", shortTable, Outcome::Kept);
            }
        }
        list.AddSound();
    }
}

void AddHeaderSizes(CaseList& list) {
    for (std::uint32_t headerSize : {0u, 1u, 11u, 13u, 16u, 39u, 1000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        Fields f = Sound(24);
        f.headerSize = headerSize;
        list.Add("header size " + std::to_string(headerSize), f, Outcome::Kept);
    }
    for (std::uint32_t headerSize : {41u, 52u, 56u, 64u, 100u, 200u}) {
        Fields f = Sound(24);
        f.headerSize = headerSize;
        list.Add("header size " + std::to_string(headerSize), f, Outcome::Either);
    }
    // A header that claims to be a version 4 one within a file of a version 3 one.
    Fields claimsV4 = Sound(24);
    std::string file = File(claimsV4);
    file[14] = 108;
    list.Add("v3 header claiming v4", file, Outcome::Either, 16, 8);
    // Bit fields whose masks would lie beyond a header of 41 to 51 bytes.
    for (std::uint32_t headerSize : {44u, 48u, 51u}) {
        Fields f = SoundBitfields(32);
        f.headerSize = headerSize;
        f.table.clear();
        list.Add("bit fields in a " + std::to_string(headerSize) + "-byte header", f,
                 Outcome::Either);
    }
    for (std::uint32_t fileSize : {0u, 1u, 0xFFFFFFFFu}) {
        Fields f = Sound(24);
        f.fileSize = fileSize;
        list.Add("file size field " + std::to_string(fileSize), f, Outcome::Either);
    }
    list.AddSound();
}

void AddRunLengths(CaseList& list) {
    for (bool rle8 : {true, false}) {
        const std::string kind = rle8 ? "rle8 " : "rle4 ";
        for (const auto& [what, stream] : HostileRleStreams(rle8)) {
            Fields f = Rle(rle8 ? kRle8 : kRle4, stream);
            list.Add(kind + what, f, Outcome::Either);
            f.sizeImage = 0xFFFFFFFFu;
            list.Add(kind + what + ", size beyond the file", f, Outcome::Either);
            f.sizeImage = 1;
            list.Add(kind + what + ", size one", f, Outcome::Either);
        }
        list.AddSound();
    }
}

void AddForeignFiles(CaseList& list) {
    const std::string png = Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,    0, 0, 13,
                                   'I',  'H', 'D', 'R', 0,    0,    0,    16,   0,    0, 0, 8,
                                   8,    2,   0,   0,   0,    0x12, 0x34, 0x56, 0x78, 0, 0, 0,
                                   0,    'I', 'E', 'N', 'D',  0xAE, 0x42, 0x60, 0x82});
    const std::string jpeg =
        Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F',  'I',  'F', 0,    1, 1,
               0,    0,    1,    0,    1, 0,    0,   0xFF, 0xDB, 0,   0x43, 0}) +
        std::string(64, '\x10') + Bytes({0xFF, 0xD9});
    std::string pngInside = File(Sound(24));
    pngInside = pngInside.substr(0, 54) + png;
    pngInside[30] = 5; // compression: PNG
    const std::pair<const char*, std::string> foreign[] = {
        {"png", png},
        {"jpeg", jpeg},
        {"gif", std::string("GIF89a\x10\0\x08\0\0\0\0;", 14)},
        {"os2 bitmap array", "BA" + std::string(60, '\0')},
        {"os2 colour icon", "CI" + File(Sound(24)).substr(2)},
        {"os2 pointer", "PT" + File(Sound(24)).substr(2)},
        {"exe", "MZ" + std::string(200, '\x90')},
        {"text", "This is a letter, not a picture.\r\n"},
        {"BM only", "BM"},
        {"B only", "B"},
        {"zeros", std::string(54, '\0')},
        {"ones", std::string(54, '\xFF')},
        {"png in a bitmap", pngInside},
    };
    for (const auto& [what, bytes] : foreign) {
        list.Add(what, bytes, Outcome::Kept);
    }
    list.AddSound();
    // "BM" and noise, with and without a plausible header size.
    std::mt19937 random(2026);
    for (int i = 0; i < 24; ++i) {
        std::string bytes = "BM";
        const std::size_t size = 16 + random() % 600;
        while (bytes.size() < size) {
            bytes += static_cast<char>(random() & 0xFF);
        }
        if (i % 2 == 0) {
            bytes[14] = 40;
            bytes[15] = bytes[16] = bytes[17] = 0;
        }
        list.Add("noise " + std::to_string(i), bytes, Outcome::Either, -1, -1);
    }
    list.AddSound();
}

} // namespace

std::vector<MalformedBitmap> MalformedBitmaps() {
    CaseList list;
    list.AddSound();
    AddTruncations(list);
    AddSizes(list);
    AddDepthsAndCompressions(list);
    AddOffsetsAndTables(list);
    AddHeaderSizes(list);
    AddRunLengths(list);
    AddForeignFiles(list);
    return list.Take();
}

BigBitmap BigBitmapOf(int width, int height, int bitsPerPixel, std::uint64_t fileSize) {
    Fields f;
    f.width = width;
    f.height = height;
    f.bitCount = static_cast<std::uint32_t>(bitsPerPixel);
    const std::uint64_t pixels = Stride(width, f.bitCount) * static_cast<std::uint64_t>(height);
    f.sizeImage = static_cast<std::uint32_t>(pixels);
    if (fileSize == 0) {
        fileSize = 54 + pixels;
    }
    f.fileSize = static_cast<std::uint32_t>(fileSize);
    return {File(f), fileSize};
}

} // namespace qm::test
