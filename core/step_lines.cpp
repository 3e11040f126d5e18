#include "step_lines.h"

namespace qm {
namespace {

// Registry values are named after their key, as the registry editor shows them.
std::wstring What(const StepResult& step) {
    std::wstring what = step.target;
    if (!step.valueName.empty()) {
        what += L"\\" + step.valueName;
    }
    switch (step.action) {
    case StepAction::CopyFile:
        return step.data.empty() ? what : what + L" from " + step.data;
    case StepAction::SetValue:
        return what + L" = \"" + step.data + L"\"";
    case StepAction::StartProgram:
        return step.data.empty() ? what : what + L" as \"" + step.data + L"\"";
    case StepAction::BackUp:
        return (what.empty() ? what : L"to " + what) +
               (step.data.empty() ? L"" : L" from " + step.data);
    default:
        return what;
    }
}

std::wstring Why(const StepResult& step) {
    if (step.status == StepStatus::NothingToDo) {
        return L" (it was not there)";
    }
    const std::wstring reason = FailureReason(step.errorCode, step.reason);
    return step.status == StepStatus::Failed && !reason.empty() ? L": " + reason : L"";
}

} // namespace

std::wstring StepLine(const StepResult& step) {
    std::wstring line = StatusName(step.status);
    line += L": ";
    line += ActionName(step.action);
    const std::wstring what = What(step);
    if (!what.empty()) {
        line += L" " + what;
    }
    return line + Why(step);
}

std::wstring FailureReason(unsigned long errorCode, std::wstring systemText) {
    // One step, one line: the system's texts may hold line breaks and end in a
    // full stop and one.
    for (wchar_t& c : systemText) {
        c = c == L'\r' || c == L'\n' ? L' ' : c;
    }
    while (!systemText.empty() && (systemText.back() == L' ' || systemText.back() == L'.')) {
        systemText.pop_back();
    }
    if (errorCode == 0) {
        return systemText;
    }
    const std::wstring code = L"error " + std::to_wstring(errorCode);
    return systemText.empty() ? code : systemText + L" (" + code + L")";
}

} // namespace qm
