#pragma once
// Helpers of the about window's tests: the program's message loop, the windows of
// this thread, the shell's taskbar rule and twips for expected places.

#include "window_test_support.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <vector>

namespace qm::test {

// This thread's top-level windows, visible or not.
std::vector<HWND> TopLevelWindowsOfThisThread();

// The shell shows a taskbar button for a visible top-level window that has
// WS_EX_APPWINDOW, or that has neither an owner nor WS_EX_TOOLWINDOW.
bool HasTaskbarButton(HWND window);

} // namespace qm::test
