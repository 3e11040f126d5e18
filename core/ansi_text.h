#pragma once
// Conversion between the program's Unicode text and the system's 8-bit ANSI code
// page. On Windows this is the system's own conversion (CP_ACP, with its default
// substitute character); the Linux build uses Windows-1252 with "?".

#include <string>

namespace qm {

std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const std::string& bytes);

} // namespace qm
