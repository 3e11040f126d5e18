// Process start: without arguments, create and show the main window, then run
// until it ends the process; nothing is read at start, no file or setting. With
// arguments, run one command without any window and end with its exit code.

#include "form1.h"
#include "command_line.h"
#include "message_loop.h"
#include "picture_view.h"
#include "platform.h"
#include "unattended_main.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR afterProgramName, int) {
    if (qm::HasArguments(afterProgramName)) {
        return qm::RunWithoutWindow(afterProgramName);
    }
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
