#pragma once
// Base of every window of the program: binds the object to its HWND, sends each
// message to the object's HandleMessage, and stops exceptions at the boundary so
// nothing unwinds through the system's code.

#include <windows.h>

namespace qm {

struct WindowClass {
    const wchar_t* name;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    // Registers the class on first use and creates the window with the frame
    // rectangle given, hidden unless style holds WS_VISIBLE. owner, if given, owns
    // the new top-level window. Returns false when the system refuses.
    bool Create(const WindowClass& windowClass, const wchar_t* caption, DWORD style, DWORD exStyle,
                const RECT& frame, HMENU menu = nullptr, HWND owner = nullptr);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    // Called after the last message (WM_NCDESTROY); the handle is gone by then.
    virtual void OnFinalMessage() {}

    // From now on the window owns this object: it is deleted after the last
    // message. For windows that destroy themselves when they close.
    void DeleteOnFinalMessage() { deleteOnFinalMessage_ = true; }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool deleteOnFinalMessage_ = false;
};

} // namespace qm
