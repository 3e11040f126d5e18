#include "open_dialog_filter.h"

namespace qm {

std::wstring ToDialogFilter(const std::wstring& filter) {
    std::wstring pieces = filter;
    for (wchar_t& character : pieces) {
        if (character == L'|') {
            character = L'\0';
        }
    }
    pieces.append(2, L'\0');
    return pieces;
}

} // namespace qm
