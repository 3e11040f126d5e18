#pragma once
// Where the command line's lines go. The program is a windowed one, so it has
// no console of its own: it writes to the output its caller redirected (a pipe
// or a file), else to the console of the process that started it, else nowhere.

#include "unattended_run.h"
#include "win32/unique_handle.h"

#include <windows.h>

namespace qm {

class ParentConsole final : public ConsoleLines {
public:
    ParentConsole();
    void Line(const std::wstring& text) override;

private:
    HANDLE output_;       // the redirected output, not ours to close; or nullptr
    UniqueHandle screen_; // the parent's console screen, when nothing is redirected
};

} // namespace qm
