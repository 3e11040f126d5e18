#include "message_box.h"

#include "app_info.h"

namespace qm {

void ShowMessage(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), kAppTitle, MB_OK);
}

} // namespace qm
