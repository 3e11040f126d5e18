#include "bitmap_box_scale.h"

#include <algorithm>
#include <vector>

namespace qm::bitmap {
namespace {

std::uint32_t Expand5(std::uint32_t value) {
    return (value << 3) | (value >> 2);
}

// One stored row as 0x00RRGGBB pixels.
class RowReader {
public:
    explicit RowReader(const PackedBitmap& bitmap)
        : bits_(static_cast<std::size_t>(bitmap.bitsPerPixel)),
          width_(static_cast<std::size_t>(bitmap.width)) {
        // Blue, green, red and a zero per entry.
        const unsigned char* table = bitmap.info.data() + kInfoHeaderSize;
        // An index beyond the table shows black.
        palette_.assign(bits_ <= 8 ? std::size_t{1} << bits_ : 0, 0);
        for (std::size_t i = 0; i < bitmap.colourCount && i < palette_.size(); ++i) {
            const unsigned char* entry = table + i * 4;
            palette_[i] = Rgb(entry[2], entry[1], entry[0]);
        }
    }

    void Read(const unsigned char* row, std::uint32_t* out) const {
        switch (bits_) {
        case 32:
            for (std::size_t x = 0; x < width_; ++x, row += 4) {
                out[x] = Rgb(row[2], row[1], row[0]);
            }
            break;
        case 24:
            for (std::size_t x = 0; x < width_; ++x, row += 3) {
                out[x] = Rgb(row[2], row[1], row[0]);
            }
            break;
        case 16:
            for (std::size_t x = 0; x < width_; ++x, row += 2) {
                const std::uint32_t v = static_cast<std::uint32_t>(row[0] | (row[1] << 8));
                out[x] = Rgb(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
            }
            break;
        default: {
            const std::size_t perByte = 8 / bits_;
            const unsigned mask = (1u << bits_) - 1;
            for (std::size_t x = 0; x < width_; ++x) {
                const std::size_t shift = 8 - bits_ * (x % perByte + 1);
                out[x] = palette_[(row[x / perByte] >> shift) & mask];
            }
            break;
        }
        }
    }

private:
    static std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        return (r << 16) | (g << 8) | b;
    }

    std::size_t bits_;
    std::size_t width_;
    std::vector<std::uint32_t> palette_;
};

// The picture's span [first, last) that one of count parts of size covers;
// never empty, so a picture smaller than the preview repeats its pixels.
struct Span {
    std::size_t first, last;
};
Span SpanOf(std::size_t part, std::size_t count, std::size_t size) {
    const std::size_t first = static_cast<std::size_t>(std::uint64_t{part} * size / count);
    const std::size_t last = static_cast<std::size_t>(std::uint64_t{part + 1} * size / count);
    return {first, last > first ? last : first + 1};
}

} // namespace

bool CanBoxScale(const PackedBitmap& bitmap) {
    const int bits = bitmap.bitsPerPixel;
    return bitmap.compression == kUncompressed &&
           (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

bool BoxScale(const PackedBitmap& bitmap, const FileBytes& bytes, PictureSize shown,
              std::uint32_t* target) {
    if (shown.width <= 0 || shown.height <= 0) {
        return false;
    }
    const std::size_t width = static_cast<std::size_t>(bitmap.width);
    const std::size_t height = static_cast<std::size_t>(bitmap.height);
    const std::size_t columns = static_cast<std::size_t>(shown.width);
    const std::size_t lines = static_cast<std::size_t>(shown.height);
    const std::size_t stride =
        (width * static_cast<std::size_t>(bitmap.bitsPerPixel) + 31) / 32 * 4;
    const bool topDown = bitmap.topDown;

    std::vector<Span> columnSpans(columns);
    for (std::size_t dx = 0; dx < columns; ++dx) {
        columnSpans[dx] = SpanOf(dx, columns, width);
    }
    const RowReader reader(bitmap);
    std::vector<std::uint32_t> row(width);
    std::vector<std::uint64_t> sums(columns * 3);
    // Lines are made in the order the file stores their rows, so the file is
    // read from its start to its end.
    for (std::size_t step = 0; step < lines; ++step) {
        const std::size_t line = topDown ? step : lines - 1 - step;
        const Span rows = SpanOf(line, lines, height);
        std::fill(sums.begin(), sums.end(), 0);
        for (std::size_t y = rows.first; y < rows.last; ++y) {
            const std::size_t stored = topDown ? y : height - 1 - y;
            const unsigned char* data = bytes(bitmap.pixelOffset + stored * stride, stride);
            if (!data) {
                return false;
            }
            reader.Read(data, row.data());
            for (std::size_t dx = 0; dx < columns; ++dx) {
                std::uint64_t* sum = &sums[dx * 3];
                for (std::size_t x = columnSpans[dx].first; x < columnSpans[dx].last; ++x) {
                    sum[0] += row[x] >> 16;
                    sum[1] += (row[x] >> 8) & 0xFF;
                    sum[2] += row[x] & 0xFF;
                }
            }
        }
        std::uint32_t* out = target + line * columns;
        for (std::size_t dx = 0; dx < columns; ++dx) {
            const std::uint64_t count =
                (columnSpans[dx].last - columnSpans[dx].first) * (rows.last - rows.first);
            const std::uint64_t* sum = &sums[dx * 3];
            // Rounded to the nearest level.
            out[dx] = static_cast<std::uint32_t>(((sum[0] + count / 2) / count) << 16 |
                                                 ((sum[1] + count / 2) / count) << 8 |
                                                 ((sum[2] + count / 2) / count));
        }
    }
    return true;
}

} // namespace qm::bitmap
