#pragma once
// One line of text for each step of a command's report, for a caller that shows
// its user what was done: "done: write file C:\WINDOWS\system32\oeminfo.ini".

#include "command_report.h"

#include <string>

namespace qm {

std::wstring StepLine(const StepResult& step);

// The system's text for a failure, on one line and followed by its code:
// "Access denied (error 5)"; empty when there is neither.
std::wstring FailureReason(unsigned long errorCode, std::wstring systemText);

} // namespace qm
