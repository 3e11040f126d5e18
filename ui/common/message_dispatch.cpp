#include "message_dispatch.h"

namespace qm {

void DispatchProgramMessage(MSG& msg) {
    HWND active = GetActiveWindow();
    if (active && IsDialogMessageW(active, &msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

} // namespace qm
