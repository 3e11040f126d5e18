#pragma once
// The text of a window or control, whatever its length.

#include <windows.h>

#include <string>

namespace qm {

std::wstring WindowText(HWND window);

} // namespace qm
