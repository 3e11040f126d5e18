#include "picture_view.h"

#include "handles.h"

namespace qm {
namespace {

HBITMAP Stored(HWND view) {
    return reinterpret_cast<HBITMAP>(GetWindowLongPtrW(view, 0));
}

void Store(HWND view, HBITMAP picture) {
    HBITMAP old = Stored(view);
    SetWindowLongPtrW(view, 0, reinterpret_cast<LONG_PTR>(picture));
    if (old && old != picture) {
        DeleteObject(old);
    }
}

LRESULT CALLBACK ViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(view, &ps);
        RECT area;
        GetClientRect(view, &area);
        PaintPicture(dc, area, Stored(view));
        EndPaint(view, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT area;
        GetClientRect(view, &area);
        PaintPicture(reinterpret_cast<HDC>(wParam), area, Stored(view));
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // the picture covers everything
    case WM_NCDESTROY:
        Store(view, nullptr);
        break;
    }
    return DefWindowProcW(view, message, wParam, lParam);
}

} // namespace

bool RegisterPictureView() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kPictureViewClass, &existing)) {
        return true;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ViewProcedure;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPictureViewClass;
    return RegisterClassExW(&wc) != 0;
}

void SetViewPicture(HWND view, HBITMAP picture) {
    Store(view, picture);
    InvalidateRect(view, nullptr, FALSE);
}

HBITMAP ViewPicture(HWND view) {
    return Stored(view);
}

void PaintPicture(HDC dc, const RECT& area, HBITMAP picture) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAP info{};
    if (!picture || !GetObjectW(picture, sizeof info, &info)) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    OwnedMemoryDc source(CreateCompatibleDC(dc));
    ScopedSelect select(source.Get(), picture);
    if (info.bmWidth == width && info.bmHeight == height) {
        BitBlt(dc, area.left, area.top, width, height, source.Get(), 0, 0, SRCCOPY);
        return;
    }
    // HALFTONE averages the source pixels instead of dropping them.
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin;
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    StretchBlt(dc, area.left, area.top, width, height, source.Get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

HBITMAP CopyPicture(HBITMAP picture) {
    if (!picture) {
        return nullptr;
    }
    return static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace qm
