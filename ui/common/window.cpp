#include "window.h"

namespace qm {

Window::~Window() {
    if (hwnd_) {
        // The object goes first: unbind it so late messages reach DefWindowProc.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool Window::Create(const WindowClass& windowClass, const wchar_t* caption, DWORD style,
                    DWORD exStyle, const RECT& frame, HMENU menu, HWND owner) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, windowClass.name, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Window::Procedure;
        wc.hInstance = instance;
        wc.hIcon = windowClass.icon;
        wc.hIconSm = windowClass.smallIcon;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = windowClass.background;
        wc.lpszClassName = windowClass.name;
        if (!RegisterClassExW(&wc)) {
            return false;
        }
    }
    // Created where it belongs: moving a window afterwards costs a round of
    // messages and, under Wine, a reconfiguration of its X window.
    return CreateWindowExW(exStyle, windowClass.name, caption, style, frame.left, frame.top,
                           frame.right - frame.left, frame.bottom - frame.top, owner, menu,
                           instance, this) != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
        if (self->deleteOnFinalMessage_) {
            delete self;
        }
    }
    return result;
}

} // namespace qm
