#pragma once
// Helpers of the picture browser's tests: the program's message loop, real mouse
// and key messages for the lists, pixels of pictures and views, files and folders.

#include "bitmap_files.h"
#include "window_test_support.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qm::test {

// Posts a key press to the control with the focus, as the keyboard would send it,
// and handles it.
void PressKey(UINT key);

// Clicks, or double-clicks, an item of a list box with the mouse.
void ClickListItem(HWND list, int index);
void DoubleClickListItem(HWND list, int index);
// Double-clicks the item of a list box that reads text; false when there is none.
bool DoubleClickListItemNamed(HWND list, const std::wstring& text);
// A drive letter that no drive uses, from Y: down to E:; 0 when all are taken.
wchar_t UnusedDriveLetter();
// Selects a combo box's item as its keyboard does, notifying its parent.
void ChooseComboItem(HWND combo, int index);

std::vector<std::wstring> ListItems(HWND list);
std::wstring SelectedListItem(HWND list); // empty when none is selected
std::vector<std::wstring> ComboItems(HWND combo);
std::wstring ComboText(HWND combo); // the selected item's text

// The pixels of a picture or a window's client area, top row first.
class Pixels {
public:
    Pixels(int width, int height) : width_(width), height_(height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const;
    bool operator==(const Pixels& other) const;
    std::vector<DWORD>& Raw() { return raw_; }

private:
    int width_, height_;
    std::vector<DWORD> raw_;
};

// Renders through the view's own painting (WM_PRINTCLIENT).
Pixels RenderView(HWND view);
// What the view shows on screen now, copied from its own device context.
Pixels ScreenView(HWND view);
// Renders a picture stretched to width x height as the picture views draw it.
Pixels RenderPicture(HBITMAP picture, int width, int height);
// Whether two colours differ by at most tolerance in every channel.
bool Near(Rgb a, Rgb b, int tolerance = 8);

void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
void RemoveTree(const std::wstring& folder);

} // namespace qm::test
