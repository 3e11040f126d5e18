#pragma once
// The program's one kind of message: modal, OK only, no icon, titled with the
// program's name.

#include <windows.h>

#include <string>

namespace qm {

void ShowMessage(HWND owner, const std::wstring& text);

} // namespace qm
