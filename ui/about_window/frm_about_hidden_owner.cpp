#include "frm_about_hidden_owner.h"

namespace qm::about {

HiddenOwner::HiddenOwner()
    // A plain system class is enough: it only has to exist and stay hidden.
    : window_(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr)) {}

HiddenOwner::~HiddenOwner() {
    if (window_) {
        DestroyWindow(window_);
    }
}

} // namespace qm::about
