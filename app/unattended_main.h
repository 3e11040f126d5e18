#pragma once
// The program started with arguments: it runs one command and ends with its exit
// code, without creating any window or message box.

namespace qm {

int RunWithoutWindow(const wchar_t* afterProgramName);

} // namespace qm
