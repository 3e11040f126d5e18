#include "logo_installation.h"

#include "file_replacement.h"
#include "get_system_folder.h"
#include "oem_information_key.h"
#include "platform.h"
#include "step_result_of.h"

#include <utility>

namespace qm {

CommandReport InstallOemLogo(Platform& platform, const std::wstring& folder,
                             const std::wstring& fileName) {
    CommandReport report;
    // Exactly one backslash, also after a drive's root ("C:\" gives "C:\\name"),
    // which the file system accepts.
    const std::wstring source = folder + L"\\" + fileName;
    const auto systemFolder = GetSystemFolderPath(platform);
    if (!systemFolder) {
        report.steps.push_back(SystemFolderMissing());
        return report;
    }
    const std::wstring target = *systemFolder + L"\\oemlogo.bmp";
    // The user's file as the picture browser showed it; only the system folder's
    // side goes past the redirection of a 32-bit program on 64-bit Windows.
    std::unique_ptr<ReadableFile> sourceFile = platform.OpenForReading(source);
    const unsigned long sourceError = sourceFile ? 0 : platform.LastErrorCode();
    Outcome copied;
    {
        const auto access = platform.AccessSystemFolder();
        copied = ReplaceFileWithCopyOf(platform, target, std::move(sourceFile), sourceError);
    }
    StepResult step = StepResultOf(platform, StepAction::CopyFile, target, copied);
    step.data = source;
    report.steps.push_back(std::move(step));
    // The path as 64-bit Windows names it: GetSystemDirectory gives system32 to
    // a 32-bit program too. A failed copy leaves the value as it was, as the file.
    if (copied && platform.IsVistaOrLater()) {
        WriteOemLogoValue(platform, target, report);
    }
    return report;
}

} // namespace qm
