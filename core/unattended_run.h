#pragma once
// The program run from a command line, without any window: "/apply FILE",
// "/remove" and "/?". A request is checked whole before anything changes; the
// exit code tells the caller how it went, one line per step tells the user.

#include <string>
#include <vector>

namespace qm {

class Platform;

enum ExitCode : int {
    kExitDone = 0,
    kExitChangeFailed = 1, // a change failed; the lines say which
    kExitBadRequest = 2,   // nothing was changed, because the request was wrong
};

// Where the run's lines go: the console that started the program, or nowhere.
class ConsoleLines {
public:
    virtual ~ConsoleLines() = default;
    virtual void Line(const std::wstring& text) = 0;
};

// arguments: the command line's arguments after the program's name.
int RunUnattended(const std::vector<std::wstring>& arguments, Platform& platform,
                  ConsoleLines& console);

} // namespace qm
