#include "message_loop.h"

#include "message_dispatch.h"

#include <windows.h>

namespace qm {

int RunMessageLoop() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(msg.wParam);
        }
        if (got == -1) {
            return 1;
        }
        DispatchProgramMessage(msg);
    }
}

} // namespace qm
