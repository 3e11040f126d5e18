#pragma once
// The picture browser window.

#include <windows.h>

namespace qm {

class Platform;
class MainWindowAccess;

// Creates the picture browser anew, runs its load and shows it. Returns its
// window, or nullptr when it could not be shown. It destroys itself on closing.
HWND OpenPictureBrowser(Platform& platform, MainWindowAccess& mainWindow);

} // namespace qm
