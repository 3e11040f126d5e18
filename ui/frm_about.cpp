#include "frm_about.h"

namespace qm {

// Not built yet: opens nothing, so the main window stays.
HWND OpenAboutWindow(MainWindowAccess&) {
    return nullptr;
}

} // namespace qm
