#pragma once
// The about window.

#include <windows.h>

namespace qm {

class MainWindowAccess;

// Creates the about window anew and shows it. Returns its window, or nullptr when
// it could not be shown. It destroys itself on closing.
HWND OpenAboutWindow(MainWindowAccess& mainWindow);

} // namespace qm
