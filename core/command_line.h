#pragma once
// The arguments of the program's command line, split as the C runtime of
// Windows programs splits them, so that a path in double quotes is one argument.

#include <string>
#include <vector>

namespace qm {

// Whether the text after the program's name holds anything but blanks; the only
// look at the command line when the program starts its window.
bool HasArguments(const wchar_t* afterProgramName);

// Blanks and tabs separate arguments outside double quotes; 2n backslashes
// before a quote give n and the quote opens or closes, 2n+1 give n and a
// literal quote; "" inside quotes is a literal quote; other backslashes are
// kept as they are.
std::vector<std::wstring> SplitArguments(const std::wstring& afterProgramName);

} // namespace qm
