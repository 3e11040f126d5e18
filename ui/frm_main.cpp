#include "frm_main.h"

namespace qm {

// Not built yet: opens nothing, so the main window stays.
HWND OpenPictureBrowser(Platform&, MainWindowAccess&) {
    return nullptr;
}

} // namespace qm
