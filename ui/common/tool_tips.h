#pragma once
// Tool tips for a window's controls: one tool-tip control per window.

#include <windows.h>

namespace qm {

class ToolTips {
public:
    // Creates the tool-tip control, owned by owner and destroyed with it.
    explicit ToolTips(HWND owner);
    void Add(HWND control, const wchar_t* text);
    HWND Handle() const { return tips_; }

private:
    HWND owner_;
    HWND tips_;
};

} // namespace qm
