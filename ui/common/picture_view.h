#pragma once
// An image view that stretches its picture to its whole client area with
// good-quality scaling. It owns the picture it is given.

#include <windows.h>

namespace qm {

inline constexpr wchar_t kPictureViewClass[] = L"QmPictureView";

// Registers the window class; call once before creating a view.
bool RegisterPictureView();

// Gives the view a picture (ownership passes to the view; the old one is freed)
// and draws it at once when the view is shown.
void SetViewPicture(HWND view, HBITMAP picture);
// The view's picture, still owned by the view; nullptr when it has none.
HBITMAP ViewPicture(HWND view);

// Draws picture stretched into area; the one painting routine of every view, so
// tests can render into a memory DC.
void PaintPicture(HDC dc, const RECT& area, HBITMAP picture);

// An independent copy of a picture, as a device-independent bitmap.
HBITMAP CopyPicture(HBITMAP picture);

} // namespace qm
