#include "branding_commands.h"

#include "get_system_folder.h"
#include "platform.h"
#include "step_result_of.h"

namespace qm {
namespace {

constexpr wchar_t kSystemPropertiesCommandLine[] =
    L"rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl";

void WriteInfoFile(Platform& platform, const std::wstring& folder, const OemInfoRecord& record,
                   CommandReport& report) {
    const Outcome written = WriteOemInfoFile(platform, folder, record);
    report.steps.push_back(
        StepResultOf(platform, StepAction::WriteFile, folder + L"\\oeminfo.ini", written));
}

void RemoveFromSystemFolder(Platform& platform, const wchar_t* name, CommandReport& report) {
    const auto folder = GetSystemFolderPath(platform);
    if (!folder) {
        report.steps.push_back(SystemFolderMissing());
        return;
    }
    const std::wstring path = *folder + name;
    Outcome removed;
    {
        const auto access = platform.AccessSystemFolder();
        removed.ok = platform.RemoveFile(path);
        removed.errorCode = removed.ok ? 0 : platform.LastErrorCode();
    }
    report.steps.push_back(StepResultOf(platform, StepAction::RemoveFile, path, removed));
}

} // namespace

CommandReport ApplyChanges(Platform& platform, const OemInfoRecord& record) {
    CommandReport report;
    if (const auto folder = GetSystemFolderPath(platform)) {
        WriteInfoFile(platform, *folder, record, report);
    } else {
        report.steps.push_back(SystemFolderMissing());
    }
    return report;
}

CommandReport PreviewChanges(Platform& platform, const OemInfoRecord& record) {
    CommandReport report;
    const auto folder = GetSystemFolderPath(platform);
    if (!folder) {
        // Without the system folder there is no known rundll32.exe to trust.
        report.steps.push_back(SystemFolderMissing());
        return report;
    }
    WriteInfoFile(platform, *folder, record, report);
    // The system folder's own rundll32.exe, never one found by searching the
    // program's or the current folder first; on 64-bit Windows the 64-bit one, so
    // that the System Properties that reads the files opens.
    const std::wstring program = *folder + L"\\rundll32.exe";
    Outcome started;
    {
        const auto access = platform.AccessSystemFolder();
        started.ok = platform.StartProcess(program, kSystemPropertiesCommandLine);
        started.errorCode = started.ok ? 0 : platform.LastErrorCode();
    }
    StepResult step = StepResultOf(platform, StepAction::StartProgram, program, started);
    step.data = kSystemPropertiesCommandLine;
    report.steps.push_back(std::move(step));
    return report;
}

CommandReport RemoveOemFiles(Platform& platform) {
    CommandReport report;
    RemoveFromSystemFolder(platform, L"\\oeminfo.ini", report);
    RemoveFromSystemFolder(platform, L"\\oemlogo.bmp", report);
    return report;
}

} // namespace qm
