#pragma once
// How the program hands each message on: the active window gets the dialog keys
// (Tab, Shift+Tab, arrows, Enter, Escape) first, so focus moves as in a dialog box.

#include <windows.h>

namespace qm {

void DispatchProgramMessage(MSG& msg);

} // namespace qm
