#pragma once
// What the picture browser and the about window may do to the main window:
// make it visible again, and give its logo view a new picture.

#include <windows.h>

namespace qm {

class MainWindowAccess {
public:
    virtual ~MainWindowAccess() = default;
    virtual void ShowMainWindow() = 0;
    // The view takes ownership of picture.
    virtual void SetLogoPicture(HBITMAP picture) = 0;
};

} // namespace qm
