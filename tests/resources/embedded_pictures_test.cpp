// What this test program carries, linked with the program's resources: the bitmaps, the
// icons and the menu, loaded the way the windows load them.

#include "binary_reading.h"
#include "resource_ids.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

namespace {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using Menu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

Bytes ResourceBytes(int id, LPCWSTR type) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(id), type);
    if (!found)
        return {};
    auto data = static_cast<const uint8_t*>(LockResource(LoadResource(self, found)));
    return Bytes(data, data + SizeofResource(self, found));
}

struct EmbeddedBitmap {
    int id;
    const char* file;
    LONG width;
    LONG height;
};

const EmbeddedBitmap kBitmaps[] = {
    {IDB_DEFAULT_LOGO, "default_logo.bmp", 172, 100},
    {IDB_PREVIEW_PLACEHOLDER, "preview_placeholder.bmp", 172, 100},
    {IDB_ABOUT_PICTURE, "about_picture.bmp", 48, 48},
};

TEST(EmbeddedPictures, BitmapsLoadAt24BitsAndAreTheCommittedFiles) {
    for (const auto& expected : kBitmaps) {
        SCOPED_TRACE(expected.file);
        Bitmap bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                      MAKEINTRESOURCEW(expected.id), IMAGE_BITMAP,
                                                      0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(bitmap);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(bitmap.get(), sizeof section, &section), int{sizeof section});
        EXPECT_EQ(section.dsBm.bmWidth, expected.width);
        EXPECT_EQ(section.dsBm.bmHeight, expected.height);
        EXPECT_EQ(section.dsBm.bmBitsPixel, 24);

        // A bitmap resource is the file without its 14-byte file header.
        Bytes file = ReadCommittedResource(expected.file);
        ASSERT_GT(file.size(), 14u);
        EXPECT_TRUE(ResourceBytes(expected.id, RT_BITMAP) == Bytes(file.begin() + 14, file.end()));
    }
}

struct EmbeddedIcon {
    int id;
    std::vector<std::pair<int, int>> sizes_and_bits;
};

const EmbeddedIcon kIcons[] = {
    {IDI_MAIN, {{48, 24}}},
    {IDI_ABOUT, {{32, 4}, {16, 4}}},
};

TEST(EmbeddedPictures, IconGroupsHoldTheirSizesAndEachLoadsAtItsSize) {
    for (const auto& expected : kIcons) {
        SCOPED_TRACE(expected.id);
        // The group's directory: 6-byte header, then 14-byte entries.
        Bytes group = ResourceBytes(expected.id, RT_GROUP_ICON);
        ASSERT_GE(group.size(), 6u);
        ASSERT_EQ(U16(group, 4), expected.sizes_and_bits.size());
        for (size_t i = 0; i < expected.sizes_and_bits.size(); ++i) {
            auto [size, bits] = expected.sizes_and_bits[i];
            SCOPED_TRACE(size);
            size_t entry = 6 + 14 * i;
            EXPECT_EQ(group.at(entry), size);
            EXPECT_EQ(group.at(entry + 1), size);
            EXPECT_EQ(U16(group, entry + 6), bits);

            Icon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                    MAKEINTRESOURCEW(expected.id), IMAGE_ICON, size,
                                                    size, 0)));
            ASSERT_TRUE(icon);
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon.get(), &info));
            Bitmap colour(info.hbmColor), mask(info.hbmMask);
            BITMAP colour_bitmap{};
            ASSERT_TRUE(GetObjectW(colour.get(), sizeof colour_bitmap, &colour_bitmap));
            EXPECT_EQ(colour_bitmap.bmWidth, size);
            EXPECT_EQ(colour_bitmap.bmHeight, size);
        }
    }
}

BOOL CALLBACK StopAtFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
    *reinterpret_cast<int*>(first) = IS_INTRESOURCE(name) ? LOWORD(name) : -1;
    return FALSE;
}

TEST(EmbeddedPictures, MainIconIsTheProgramFilesFirstIcon) {
    // The shell shows the first icon group of the file as the program's icon.
    int first = 0;
    EnumResourceNamesW(GetModuleHandleW(nullptr), RT_GROUP_ICON, StopAtFirstName,
                       reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, IDI_MAIN);
}

std::wstring MenuItemText(HMENU menu, UINT position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

TEST(EmbeddedMenu, MainMenuIsExitThenAboutWithNothingBelowThem) {
    Menu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU)));
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu.get()), 2);
    EXPECT_EQ(MenuItemText(menu.get(), 0), L"Exit");
    EXPECT_EQ(GetMenuItemID(menu.get(), 0), UINT{IDM_EXIT});
    EXPECT_EQ(MenuItemText(menu.get(), 1), L"About");
    EXPECT_EQ(GetMenuItemID(menu.get(), 1), UINT{IDM_ABOUT});
    EXPECT_EQ(GetSubMenu(menu.get(), 0), nullptr);
    EXPECT_EQ(GetSubMenu(menu.get(), 1), nullptr);
}

} // namespace
