#include "branding_backup.h"

#include "file_replacement.h"
#include "get_system_folder.h"
#include "oem_information_key.h"
#include "platform.h"
#include "step_result_of.h"
#include "whole_file.h"

namespace qm {

const wchar_t kBackupFolderName[] = L"Quorvane Marquelle XP";
const wchar_t kBackupFileName[] = L"Branding backup.bin";

namespace {

StepResult BackupFailed(Platform& platform, const std::wstring& backupFile,
                        const std::wstring& source, unsigned long error) {
    StepResult step;
    step.action = StepAction::BackUp;
    step.status = StepStatus::Failed;
    step.target = backupFile;
    step.errorCode = error;
    step.reason = error != 0 ? platform.ErrorText(error) : L"";
    step.data = source;
    return step;
}

bool ReadSystemFiles(Platform& platform, const std::wstring& backupFile, BrandingBackup& backup,
                     CommandReport& report) {
    const auto folder = GetSystemFolderPath(platform);
    if (!folder) {
        report.steps.push_back(SystemFolderMissing());
        return false;
    }
    const auto access = platform.AccessSystemFolder();
    for (const wchar_t* name : kBackedUpFiles) {
        const std::wstring path = *folder + L"\\" + name;
        BackedUpItem item{BackedUpKind::File, name, false, {}};
        const Outcome read = ReadWholeFile(platform, path, kLargestBackedUpFile, item.content.data);
        if (!read && !platform.IsNotFound(read.errorCode)) {
            report.steps.push_back(BackupFailed(platform, backupFile, path, read.errorCode));
            return false;
        }
        item.present = read.ok;
        backup.items.push_back(std::move(item));
    }
    return true;
}

bool ReadRegistryValues(Platform& platform, const std::wstring& backupFile, BrandingBackup& backup,
                        CommandReport& report) {
    const std::wstring keyName = std::wstring(L"HKEY_LOCAL_MACHINE\\") + kOemInformationKeyPath;
    unsigned long error = 0;
    const std::unique_ptr<RegistryKey> key =
        platform.OpenMachineKey(kOemInformationKeyPath, false, error);
    if (!key && !platform.IsNotFound(error)) {
        report.steps.push_back(BackupFailed(platform, backupFile, keyName, error));
        return false;
    }
    for (const wchar_t* name : kBackedUpValues) {
        BackedUpItem item{BackedUpKind::RegistryValue, name, false, {}};
        if (key) {
            error = key->ReadStored(name, item.content);
            if (error != 0 && !platform.IsNotFound(error)) {
                report.steps.push_back(
                    BackupFailed(platform, backupFile, keyName + L"\\" + name, error));
                return false;
            }
            item.present = error == 0;
            if (!item.present) {
                item.content = {};
            }
        }
        backup.items.push_back(std::move(item));
    }
    return true;
}

} // namespace

std::optional<BackupLocation> FindBackupLocation(Platform& platform, unsigned long& error) {
    const std::optional<std::wstring> data = platform.MachineDataFolder(error);
    if (!data) {
        return std::nullopt;
    }
    BackupLocation location;
    location.folder = *data + L"\\" + kBackupFolderName;
    location.file = location.folder + L"\\" + kBackupFileName;
    return location;
}

std::optional<BrandingBackup> ReadCurrentBranding(Platform& platform, CommandReport& report) {
    unsigned long error = 0;
    const auto location = FindBackupLocation(platform, error);
    const std::wstring backupFile = location ? location->file : std::wstring();
    BrandingBackup backup;
    if (!ReadSystemFiles(platform, backupFile, backup, report)) {
        return std::nullopt;
    }
    // XP and earlier show no registry branding and get no registry access.
    if (platform.IsVistaOrLater() && !ReadRegistryValues(platform, backupFile, backup, report)) {
        return std::nullopt;
    }
    return backup;
}

bool TakeBackupOnce(Platform& platform, CommandReport& report) {
    unsigned long error = 0;
    const auto location = FindBackupLocation(platform, error);
    if (!location) {
        report.steps.push_back(BackupFailed(platform, {}, {}, error));
        return false;
    }
    // One that exists is kept whatever it holds: it is what the machine came with.
    if (platform.OpenForReading(location->file)) {
        return true;
    }
    error = platform.LastErrorCode();
    if (!platform.IsNotFound(error)) {
        // Whether there is one cannot be told, so neither can whether to take one.
        report.steps.push_back(BackupFailed(platform, location->file, {}, error));
        return false;
    }
    const std::optional<BrandingBackup> backup = ReadCurrentBranding(platform, report);
    if (!backup) {
        return false;
    }
    if (!platform.CreateFolder(location->folder)) {
        report.steps.push_back(
            BackupFailed(platform, location->file, {}, platform.LastErrorCode()));
        return false;
    }
    const Outcome written = ReplaceFileWithBytes(platform, location->file, EncodeBackup(*backup));
    if (!written) {
        report.steps.push_back(BackupFailed(platform, location->file, {}, written.errorCode));
        return false;
    }
    report.steps.push_back(StepResultOf(platform, StepAction::BackUp, location->file, written));
    return true;
}

} // namespace qm
