#pragma once
// Turns the outcome of one platform step into a line of a command's report.

#include "command_report.h"
#include "platform.h"

namespace qm {

// A removal of something that was not there has nothing to do; any other failure
// carries the system's code and its text.
StepResult StepResultOf(Platform& platform, StepAction action, std::wstring target,
                        const Outcome& outcome);

// The system folder could not be had, so the step on target was not tried.
StepResult SystemFolderMissing();

} // namespace qm
