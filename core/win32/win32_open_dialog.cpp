#include "open_dialog_filter.h"
#include "win32_platform.h"

#include <windows.h>

#include <commdlg.h>
#include <iterator>

namespace qm {

std::wstring Win32Platform::ShowOpenDialog(const std::wstring& filter, void* owner) {
    const std::wstring dialogFilter = ToDialogFilter(filter);
    wchar_t fileName[32768] = {};

    // Only the filter and the owner are set; every other option is the dialog's own.
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = static_cast<HWND>(owner);
    request.lpstrFilter = dialogFilter.c_str();
    request.lpstrFile = fileName;
    request.nMaxFile = static_cast<DWORD>(std::size(fileName));
    if (!GetOpenFileNameW(&request)) {
        return {};
    }
    return fileName;
}

} // namespace qm
