#pragma once
// Helpers of the about window's tests: the program's message loop, the windows of
// this thread, the shell's taskbar rule and twips for expected places.

#include <windows.h>

#include <chrono>
#include <functional>
#include <vector>

namespace qm::test {

// Handles waiting messages as the program's loop does: keyboard messages go
// through IsDialogMessage for the active window first.
void PumpAsTheProgram();
bool PumpAsTheProgramUntil(const std::function<bool()>& done,
                           std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

// This thread's top-level windows, visible or not.
std::vector<HWND> TopLevelWindowsOfThisThread();

// The shell shows a taskbar button for a visible top-level window that has
// WS_EX_APPWINDOW, or that has neither an owner nor WS_EX_TOOLWINDOW.
bool HasTaskbarButton(HWND window);

// Twips to pixels at the screen's DPI, edges converted as the layouts do.
int ScreenDpi();
RECT TwipsRect(int left, int top, int width, int height);

// Posts a key press to the control with the focus, as the keyboard would send it.
void PressKey(UINT key);

} // namespace qm::test
