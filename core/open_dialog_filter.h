#pragma once
// The Open dialog's filter as it is written ("Description|pattern|...") and as
// the dialog takes it: the pieces separated by NULs, the list ended by two.

#include <string>

namespace qm {

std::wstring ToDialogFilter(const std::wstring& filter);

} // namespace qm
