#include "step_result_of.h"

#include <utility>

namespace qm {

StepResult StepResultOf(Platform& platform, StepAction action, std::wstring target,
                        const Outcome& outcome) {
    StepResult step;
    step.action = action;
    step.target = std::move(target);
    if (outcome.ok) {
        return step;
    }
    const bool removal = action == StepAction::RemoveFile || action == StepAction::DeleteValue;
    step.status = removal && platform.IsNotFound(outcome.errorCode) ? StepStatus::NothingToDo
                                                                    : StepStatus::Failed;
    if (step.status == StepStatus::Failed) {
        step.errorCode = outcome.errorCode;
        step.reason = outcome.errorCode != 0 ? platform.ErrorText(outcome.errorCode) : L"";
    }
    return step;
}

StepResult SystemFolderMissing() {
    StepResult step;
    step.action = StepAction::FindSystemFolder;
    step.status = StepStatus::Failed;
    return step;
}

} // namespace qm
