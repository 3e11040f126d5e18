#include "browser_test_support.h"

#include "picture_view.h"

#include <fstream>
#include <iterator>

namespace qm::test {

void PressKey(UINT key) {
    PostKeyPress(key);
    PumpAsTheProgram();
}

namespace {

LPARAM ItemCentre(HWND list, int index) {
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

} // namespace

void ClickListItem(HWND list, int index) {
    const LPARAM at = ItemCentre(list, index);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PumpAsTheProgram();
}

void DoubleClickListItem(HWND list, int index) {
    const LPARAM at = ItemCentre(list, index);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PumpAsTheProgram();
}

void ChooseComboItem(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    PumpAsTheProgram();
}

namespace {

std::wstring ItemText(HWND window, UINT lengthMessage, UINT textMessage, LRESULT index) {
    const LRESULT length = SendMessageW(window, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(window, textMessage, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        items.push_back(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
    }
    return items;
}

std::wstring SelectedListItem(HWND list) {
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    return index < 0 ? std::wstring() : ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, index);
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        items.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    }
    return items;
}

std::wstring ComboText(HWND combo) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index < 0 ? std::wstring() : ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

Rgb Pixels::At(int x, int y) const {
    const DWORD value = raw_[static_cast<std::size_t>(y * width_ + x)];
    return Rgb{static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 8),
               static_cast<BYTE>(value)};
}

bool Pixels::operator==(const Pixels& other) const {
    if (width_ != other.width_ || height_ != other.height_) {
        return false;
    }
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (!(At(x, y) == other.At(x, y))) {
                return false;
            }
        }
    }
    return true;
}

namespace {

// Draws into a 32-bit top-down DIB of the given size and reads it back.
template <typename Draw> Pixels Render(int width, int height, Draw draw) {
    Pixels pixels(width, height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, target);
    draw(dc);
    GdiFlush();
    const DWORD* begin = static_cast<const DWORD*>(bits);
    pixels.Raw().assign(begin, begin + width * height);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    return pixels;
}

} // namespace

Pixels RenderView(HWND view) {
    RECT client{};
    GetClientRect(view, &client);
    return Render(client.right, client.bottom, [view](HDC dc) {
        SendMessageW(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
}

Pixels ScreenView(HWND view) {
    RECT client{};
    GetClientRect(view, &client);
    return Render(client.right, client.bottom, [view, &client](HDC dc) {
        HDC screen = GetDC(view);
        BitBlt(dc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(view, screen);
    });
}

Pixels RenderPicture(HBITMAP picture, int width, int height) {
    return Render(width, height, [&](HDC dc) {
        PaintPicture(dc, RECT{0, 0, width, height}, picture);
    });
}

bool Near(Rgb a, Rgb b, int tolerance) {
    auto close = [tolerance](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
    return close(a.r, b.r) && close(a.g, b.g) && close(a.b, b.b);
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

bool DoubleClickListItemNamed(HWND list, const std::wstring& text) {
    const std::vector<std::wstring> items = ListItems(list);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) {
            DoubleClickListItem(list, static_cast<int>(i));
            return true;
        }
    }
    return false;
}

wchar_t UnusedDriveLetter() {
    const DWORD used = GetLogicalDrives();
    for (wchar_t letter = L'Y'; letter > L'D'; --letter) {
        if (!(used & (1u << (letter - L'A')))) {
            return letter;
        }
    }
    return 0;
}

} // namespace qm::test
