#pragma once
// The program's one message loop.

namespace qm {

// Runs until the quit message; returns its exit code. The active window gets the
// dialog keys (Tab, Shift+Tab, arrows, Enter, Escape), so focus moves as in a
// dialog box in every window.
int RunMessageLoop();

} // namespace qm
