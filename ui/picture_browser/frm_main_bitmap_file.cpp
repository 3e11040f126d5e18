#include "frm_main_bitmap_file.h"

#include "bitmap_box_scale.h"
#include "bitmap_file_layout.h"
#include "handles.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>

namespace qm::frmmain {
namespace {

using bitmap::BoxScale;
using bitmap::CanBoxScale;
using bitmap::PackedBitmap;
using bitmap::ParseBitmapFile;

struct HandleTraits {
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct ViewTraits {
    static void Close(const void* view) { UnmapViewOfFile(view); }
};

// Beyond this many bytes of pixels, a file that the box scaling reads is drawn
// by it: GDI's scaling would make a 32-bit copy of the whole picture, and the
// mapped file's pages would all stay in memory meanwhile.
constexpr std::size_t kBoxScaledFrom = 4u * 1024 * 1024;
// How much of the file is mapped at a time while it is box-scaled.
constexpr std::size_t kWindowSize = 4u * 1024 * 1024;
// A logo-sized file is read whole into a buffer of this size: one read costs
// less than asking for its size first, and half of what mapping it does.
constexpr std::size_t kFirstRead = 128 * 1024;

// A view of the file that moves along it, mapped a window at a time; what lies
// behind it leaves memory as the view moves on.
class MovingView {
public:
    MovingView(HANDLE mapping, std::size_t fileSize) : mapping_(mapping), fileSize_(fileSize) {
        SYSTEM_INFO system{};
        GetSystemInfo(&system);
        granularity_ = system.dwAllocationGranularity;
    }

    const unsigned char* Bytes(std::size_t offset, std::size_t length) {
        if (length > fileSize_ || offset > fileSize_ - length) {
            return nullptr;
        }
        if (!view_ || offset < start_ || offset + length > start_ + viewSize_) {
            // Views start on the allocation granularity.
            view_.Reset();
            start_ = offset / granularity_ * granularity_;
            viewSize_ =
                std::min(fileSize_ - start_, std::max(kWindowSize, offset - start_ + length));
            const std::uint64_t start = start_;
            view_.Reset(MapViewOfFile(mapping_, FILE_MAP_READ, static_cast<DWORD>(start >> 32),
                                      static_cast<DWORD>(start), viewSize_));
            if (!view_) {
                return nullptr;
            }
        }
        return static_cast<const unsigned char*>(view_.Get()) + (offset - start_);
    }

private:
    HANDLE mapping_;
    std::size_t fileSize_;
    std::size_t granularity_ = 65536;
    Owned<const void*, ViewTraits> view_{nullptr};
    std::size_t start_ = 0;
    std::size_t viewSize_ = 0;
};

// A new top-down 32-bit DIB section of the shown size, and its pixels.
OwnedBitmap NewPreviewPicture(SIZE shown, void*& bits) {
    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof target.bmiHeader;
    target.bmiHeader.biWidth = shown.cx;
    target.bmiHeader.biHeight = -shown.cy;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 32;
    target.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    return OwnedBitmap(CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0));
}

HBITMAP DecodeInBands(HANDLE mapping, std::size_t fileSize, const PackedBitmap& bitmap,
                      SIZE shown) {
    void* bits = nullptr;
    OwnedBitmap picture = NewPreviewPicture(shown, bits);
    if (!picture || !bits) {
        return nullptr;
    }
    MovingView view(mapping, fileSize);
    const bool drawn = BoxScale(
        bitmap, [&](std::size_t offset, std::size_t length) { return view.Bytes(offset, length); },
        {shown.cx, shown.cy}, static_cast<std::uint32_t*>(bits));
    return drawn ? picture.Release() : nullptr;
}

static_assert(sizeof(BITMAPINFOHEADER) == bitmap::kInfoHeaderSize);

// GDI decodes the pixels, stretched to the shown size with good-quality
// scaling, into a new top-down 32-bit DIB section.
HBITMAP Decode(const unsigned char* data, const PackedBitmap& bitmap, SIZE shown) {
    void* bits = nullptr;
    OwnedBitmap picture = NewPreviewPicture(shown, bits);
    OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!picture || !dc) {
        return nullptr;
    }
    ScopedSelect select(dc.Get(), picture.Get());
    SetStretchBltMode(dc.Get(), HALFTONE);
    SetBrushOrgEx(dc.Get(), 0, 0, nullptr);
    const int rows = StretchDIBits(dc.Get(), 0, 0, shown.cx, shown.cy, 0, 0, bitmap.width,
                                   bitmap.height, data + bitmap.pixelOffset,
                                   reinterpret_cast<const BITMAPINFO*>(bitmap.info.data()),
                                   DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    if (rows == 0 || rows == static_cast<int>(GDI_ERROR)) {
        return nullptr;
    }
    return picture.Release();
}

// A file smaller than the first read, read whole in one go and decoded; nothing
// when the file fills the read and must be handled by its size instead.
std::optional<HBITMAP> ReadSmallFile(HANDLE file, SIZE shown) {
    std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[kFirstRead]);
    DWORD got = 0;
    if (!bytes || !ReadFile(file, bytes.get(), static_cast<DWORD>(kFirstRead), &got, nullptr)) {
        return nullptr;
    }
    if (got >= kFirstRead) {
        return std::nullopt;
    }
    const std::optional<PackedBitmap> bitmap = ParseBitmapFile(bytes.get(), got);
    return bitmap ? Decode(bytes.get(), *bitmap, shown) : nullptr;
}

} // namespace

HBITMAP LoadBitmapFile(const std::wstring& path, SIZE shown) {
    if (shown.cx <= 0 || shown.cy <= 0) {
        return nullptr;
    }
    // Shared for reading only: nobody can shorten the file while it is mapped.
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    Owned<HANDLE, HandleTraits> file(opened);
    if (const std::optional<HBITMAP> small = ReadSmallFile(file.Get(), shown)) {
        return *small;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart == 0 || size.QuadPart > 0x7FFFFFFF) {
        return nullptr;
    }
    // Mapped, not read: a big photo costs no copy of its own.
    Owned<HANDLE, HandleTraits> mapping(
        CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) {
        return nullptr;
    }
    Owned<const void*, ViewTraits> view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) {
        return nullptr;
    }
    const auto* data = static_cast<const unsigned char*>(view.Get());
    const std::optional<PackedBitmap> bitmap =
        ParseBitmapFile(data, static_cast<std::size_t>(size.QuadPart));
    if (!bitmap) {
        return nullptr;
    }
    // Only the headers of the whole view have been read: its pixels' pages are
    // not in memory, and the box scaling reads them through a view of its own.
    if (bitmap->pixelSize > kBoxScaledFrom && CanBoxScale(*bitmap)) {
        return DecodeInBands(mapping.Get(), static_cast<std::size_t>(size.QuadPart), *bitmap,
                             shown);
    }
    return Decode(data, *bitmap, shown);
}

} // namespace qm::frmmain
