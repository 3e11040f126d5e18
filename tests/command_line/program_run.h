#pragma once
// Runs the built program as a separate process, as a script would, and records
// what a script sees of it (exit code, output) and what it must never do
// (create a window).

#include <windows.h>

#include <string>
#include <vector>

namespace qm::test {

// The program's path as built, seen through Wine's Z: drive.
std::wstring ProgramPath();

enum class Caller {
    Pipe,      // standard output redirected to a pipe, as deployment tools do
    Console,   // started from this process's console, nothing redirected
    NoConsole, // detached, no console and no standard handles
};

struct ProgramRun {
    bool ended = false;
    DWORD exitCode = 0;
    std::string output;                // what reached the pipe
    std::vector<std::wstring> windows; // class names of every window it created
};

// Runs the program with these arguments, each quoted, and waits for its end.
ProgramRun RunProgram(const std::vector<std::wstring>& arguments, Caller caller = Caller::Pipe);

// Starts the program without arguments and returns the classes of the windows
// it creates within the time given, then ends it: the watch's own check.
std::vector<std::wstring> WindowsOfAStartWithoutArguments(DWORD milliseconds);

} // namespace qm::test
