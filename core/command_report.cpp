#include "command_report.h"

#include <algorithm>

namespace qm {

bool CommandReport::Succeeded() const {
    return std::none_of(steps.begin(), steps.end(),
                        [](const StepResult& step) { return step.status == StepStatus::Failed; });
}

const wchar_t* ActionName(StepAction action) {
    switch (action) {
    case StepAction::FindSystemFolder:
        return L"find system folder";
    case StepAction::WriteFile:
        return L"write file";
    case StepAction::CopyFile:
        return L"copy file";
    case StepAction::RemoveFile:
        return L"remove file";
    case StepAction::SetValue:
        return L"set value";
    case StepAction::DeleteValue:
        return L"delete value";
    case StepAction::StartProgram:
        return L"start program";
    case StepAction::BackUp:
        return L"back up branding";
    case StepAction::ReadBackup:
        return L"read backup";
    }
    return L"";
}

const wchar_t* StatusName(StepStatus status) {
    switch (status) {
    case StepStatus::Done:
        return L"done";
    case StepStatus::NothingToDo:
        return L"nothing to do";
    case StepStatus::Failed:
        return L"failed";
    }
    return L"";
}

} // namespace qm
