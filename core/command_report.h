#pragma once
// What a branding command did, step by step: which file, registry value or
// program, where, and when a step failed, the system's reason. The windows ignore
// it (their failures stay silent); a caller without a window can tell its user.

#include <string>
#include <vector>

namespace qm {

enum class StepAction {
    FindSystemFolder, // asked Windows for the system folder
    WriteFile,        // replaced a file with new content
    CopyFile,         // replaced a file with a copy of another
    RemoveFile,
    SetValue, // set a registry value
    DeleteValue,
    StartProgram,
    BackUp,     // stored the machine's branding before the first change
    ReadBackup, // read that backup to restore it
};

enum class StepStatus {
    Done,
    NothingToDo, // what was to be removed was not there
    Failed,
};

struct StepResult {
    StepAction action = StepAction::WriteFile;
    StepStatus status = StepStatus::Done;
    // The file's path, the registry key's full name, or the program's path.
    std::wstring target;
    // The registry value's name; empty for files and programs.
    std::wstring valueName;
    // What was written: a value's data, a program's command line, a copy's source;
    // for a backup that failed, the file or value that could not be read.
    std::wstring data;
    // The system's code for a failure (GetLastError, errno or the registry's
    // status) and its own text for it; 0 and empty when it gave none.
    unsigned long errorCode = 0;
    std::wstring reason;
};

struct CommandReport {
    std::vector<StepResult> steps;

    // Whether no step failed; a step with nothing to do counts as done.
    bool Succeeded() const;
    explicit operator bool() const { return Succeeded(); }
};

// "write file", "set value" and so on, for a caller that prints a report.
const wchar_t* ActionName(StepAction action);
const wchar_t* StatusName(StepStatus status);

} // namespace qm
