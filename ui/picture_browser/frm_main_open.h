#pragma once
// Opening the picture browser with a drive check of the caller's choosing, so a
// test can make a drive fail without unplugging anything.

#include <windows.h>

namespace qm {

class Platform;
class MainWindowAccess;

namespace frmmain {
class DriveReadiness;
}

HWND OpenPictureBrowser(Platform& platform, MainWindowAccess& mainWindow,
                        frmmain::DriveReadiness& drives);

} // namespace qm
