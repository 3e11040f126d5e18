// Process start: create and show the main window, then run until it ends the
// process. Nothing is read at start: no argument, file or setting.

#include "form1.h"
#include "message_loop.h"
#include "picture_view.h"
#include "platform.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    qm::RegisterPictureView();

    qm::Form1 form(qm::HostPlatform());
    if (!form.Create()) {
        return 1;
    }
    form.Show();
    return qm::RunMessageLoop();
}
