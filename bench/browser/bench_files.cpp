#include "bench_files.h"

#include "bench_handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qm::bench {
std::wstring FreshTempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    if (!GetTempPathW(MAX_PATH, temp)) {
        return {};
    }
    const std::wstring folder = std::wstring(temp) + name;
    RemoveTree(folder);
    return CreateDirectoryW(folder.c_str(), nullptr) ? folder : std::wstring();
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    {
        FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
        if (!find.Valid()) {
            RemoveDirectoryW(folder.c_str());
            return;
        }
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find.Get(), &entry));
    }
    RemoveDirectoryW(folder.c_str());
}

unsigned long long PixelBytes24(int width, int height) {
    const unsigned long long stride = (static_cast<unsigned long long>(width) * 3 + 3) / 4 * 4;
    return stride * static_cast<unsigned long long>(height);
}

bool WriteBitmap(const std::wstring& path, int width, int height, int seed) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return false;
    }
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(PixelBytes24(width, height));
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42; // "BM"
    fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fileHeader.bfSize = fileHeader.bfOffBits + pixelBytes;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = pixelBytes;
    info.biXPelsPerMeter = info.biYPelsPerMeter = 2834;

    DWORD written = 0;
    bool ok = WriteFile(file.Get(), &fileHeader, sizeof fileHeader, &written, nullptr) &&
              WriteFile(file.Get(), &info, sizeof info, &written, nullptr);
    const std::size_t stride = static_cast<std::size_t>(PixelBytes24(width, 1));
    std::vector<unsigned char> row(stride);
    for (int y = 0; ok && y < height; ++y) {
        std::fill(row.begin(), row.end(), 0);
        for (int x = 0; x < width; ++x) {
            row[x * 3 + 0] = static_cast<unsigned char>(x + seed);
            row[x * 3 + 1] = static_cast<unsigned char>(y * 2 + seed * 3);
            row[x * 3 + 2] = static_cast<unsigned char>((x ^ y) + seed * 7);
        }
        ok = WriteFile(file.Get(), row.data(), static_cast<DWORD>(stride), &written, nullptr) &&
             written == stride;
    }
    return ok;
}

} // namespace qm::bench
