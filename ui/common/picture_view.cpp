#include "picture_view.h"

#include "handles.h"

#include <new>

namespace qm {
namespace {

// What a view holds, made at its creation. The picture lives here rather than
// in the window's own data, which under Wine costs a trip to the server at
// every change.
struct ViewState {
    HBITMAP picture = nullptr;
};

ViewState* State(HWND view) {
    return reinterpret_cast<ViewState*>(GetWindowLongPtrW(view, 0));
}

HBITMAP Stored(HWND view) {
    const ViewState* state = State(view);
    return state ? state->picture : nullptr;
}

void Store(HWND view, HBITMAP picture) {
    ViewState* state = State(view);
    if (!state) {
        DeleteObject(picture); // ownership passed; nowhere to keep it
        return;
    }
    HBITMAP old = state->picture;
    state->picture = picture;
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
    case WM_NCCREATE:
        SetWindowLongPtrW(view, 0, reinterpret_cast<LONG_PTR>(new (std::nothrow) ViewState));
        if (!State(view)) {
            return FALSE;
        }
        break;
    case WM_NCDESTROY:
        Store(view, nullptr);
        delete State(view);
        SetWindowLongPtrW(view, 0, 0);
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
    // Drawn at once instead of through a paint cycle: a preview that follows the
    // keyboard through a folder changes many times a second. A paint already
    // due draws the same picture again, which is harmless.
    if (IsWindowVisible(view)) {
        WindowDc dc(view);
        if (dc.Get()) {
            RECT area;
            GetClientRect(view, &area);
            PaintPicture(dc.Get(), area, Stored(view));
            return;
        }
    }
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
