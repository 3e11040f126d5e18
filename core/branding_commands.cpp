#include "branding_commands.h"

#include "get_system_folder.h"
#include "oem_information_key.h"
#include "platform.h"
#include "step_result_of.h"

namespace qm {
namespace {

// Windows XP and earlier: System Properties, which reads the files.
constexpr wchar_t kSystemPropertiesProgram[] = L"\\rundll32.exe";
constexpr wchar_t kSystemPropertiesCommandLine[] =
    L"rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl";
// Windows Vista and later: the page that shows the registry's branding. Vista to
// 10 open Control Panel > System; later versions pass it on to Settings > About.
constexpr wchar_t kSystemPageProgram[] = L"\\control.exe";
constexpr wchar_t kSystemPageCommandLine[] = L"control.exe /name Microsoft.System";

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

// Both commands write the file; Vista and later also get the registry's values,
// which is all that their System page reads.
std::optional<std::wstring> WriteBranding(Platform& platform, const OemInfoRecord& record,
                                          bool vistaOrLater, CommandReport& report) {
    const auto folder = GetSystemFolderPath(platform);
    if (folder) {
        WriteInfoFile(platform, *folder, record, report);
    } else {
        report.steps.push_back(SystemFolderMissing());
    }
    if (vistaOrLater) {
        WriteOemInformationValues(platform, record, report);
    }
    return folder;
}

} // namespace

CommandReport ApplyChanges(Platform& platform, const OemInfoRecord& record) {
    CommandReport report;
    WriteBranding(platform, record, platform.IsVistaOrLater(), report);
    return report;
}

CommandReport PreviewChanges(Platform& platform, const OemInfoRecord& record) {
    CommandReport report;
    const bool vistaOrLater = platform.IsVistaOrLater();
    const auto folder = WriteBranding(platform, record, vistaOrLater, report);
    if (!folder) {
        // Without the system folder there is no known program to trust.
        return report;
    }
    // The system folder's own program, never one found by searching the
    // program's or the current folder first; on 64-bit Windows the 64-bit one, so
    // that the page that reads the branding opens.
    const std::wstring program =
        *folder + (vistaOrLater ? kSystemPageProgram : kSystemPropertiesProgram);
    const wchar_t* commandLine =
        vistaOrLater ? kSystemPageCommandLine : kSystemPropertiesCommandLine;
    Outcome started;
    {
        const auto access = platform.AccessSystemFolder();
        started.ok = platform.StartProcess(program, commandLine);
        started.errorCode = started.ok ? 0 : platform.LastErrorCode();
    }
    StepResult step = StepResultOf(platform, StepAction::StartProgram, program, started);
    step.data = commandLine;
    report.steps.push_back(std::move(step));
    return report;
}

CommandReport RemoveOemFiles(Platform& platform) {
    CommandReport report;
    RemoveFromSystemFolder(platform, L"\\oeminfo.ini", report);
    RemoveFromSystemFolder(platform, L"\\oemlogo.bmp", report);
    if (platform.IsVistaOrLater()) {
        RemoveOemInformationValues(platform, report);
    }
    return report;
}

} // namespace qm
