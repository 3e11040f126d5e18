#include "branding_restore.h"

#include "branding_backup.h"
#include "file_replacement.h"
#include "get_system_folder.h"
#include "oem_information_key.h"
#include "platform.h"
#include "step_result_of.h"
#include "whole_file.h"

#include <algorithm>

namespace qm {
namespace {

// Registry types whose bytes are Unicode text, and the one that is a number.
constexpr std::uint32_t kText = 1;
constexpr std::uint32_t kExpandableText = 2;
constexpr std::uint32_t kNumber = 4;

// A value's data as a report line shows it.
std::wstring Shown(const StoredValue& value) {
    if (value.type == kText || value.type == kExpandableText) {
        std::wstring text;
        for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
            text.push_back(
                static_cast<wchar_t>(static_cast<unsigned char>(value.data[i]) |
                                     static_cast<unsigned char>(value.data[i + 1]) << 8));
        }
        while (!text.empty() && text.back() == L'\0') {
            text.pop_back();
        }
        return text;
    }
    if (value.type == kNumber && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) {
            number =
                number << 8 | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
        }
        return std::to_wstring(number);
    }
    return std::to_wstring(value.data.size()) + L" bytes of type " + std::to_wstring(value.type);
}

void RestoreFiles(Platform& platform, const BrandingBackup& backup, CommandReport& report) {
    const auto folder = GetSystemFolderPath(platform);
    if (!folder) {
        report.steps.push_back(SystemFolderMissing());
        return;
    }
    for (const BackedUpItem& item : backup.items) {
        if (item.kind != BackedUpKind::File) {
            continue;
        }
        const std::wstring path = *folder + L"\\" + item.name;
        Outcome done;
        {
            const auto access = platform.AccessSystemFolder();
            if (item.present) {
                done = ReplaceFileWithBytes(platform, path, item.content.data);
            } else {
                done.ok = platform.RemoveFile(path);
                done.errorCode = done.ok ? 0 : platform.LastErrorCode();
            }
        }
        report.steps.push_back(StepResultOf(
            platform, item.present ? StepAction::WriteFile : StepAction::RemoveFile, path, done));
    }
}

void RestoreValues(Platform& platform, const BrandingBackup& backup, CommandReport& report) {
    const bool anyValue =
        std::any_of(backup.items.begin(), backup.items.end(), [](const BackedUpItem& item) {
            return item.kind == BackedUpKind::RegistryValue;
        });
    if (!anyValue) {
        // Taken where Windows shows no registry branding: the program wrote none.
        return;
    }
    const bool anyPresent =
        std::any_of(backup.items.begin(), backup.items.end(), [](const BackedUpItem& item) {
            return item.kind == BackedUpKind::RegistryValue && item.present;
        });
    unsigned long openError = 0;
    const std::unique_ptr<RegistryKey> key =
        platform.OpenMachineKey(kOemInformationKeyPath, anyPresent, openError);
    const std::wstring keyName = std::wstring(L"HKEY_LOCAL_MACHINE\\") + kOemInformationKeyPath;
    for (const BackedUpItem& item : backup.items) {
        if (item.kind != BackedUpKind::RegistryValue) {
            continue;
        }
        unsigned long error = openError;
        if (key) {
            error = item.present ? key->SetStored(item.name, item.content)
                                 : key->DeleteValue(item.name);
        }
        StepResult step =
            StepResultOf(platform, item.present ? StepAction::SetValue : StepAction::DeleteValue,
                         keyName, {error == 0, error});
        step.valueName = item.name;
        step.data = item.present ? Shown(item.content) : L"";
        report.steps.push_back(std::move(step));
    }
}

StepResult BackupUnreadable(Platform& platform, const std::wstring& path, unsigned long error,
                            std::wstring reason) {
    StepResult step;
    step.action = StepAction::ReadBackup;
    step.status = StepStatus::Failed;
    step.target = path;
    step.errorCode = error;
    step.reason = error != 0 ? platform.ErrorText(error) : std::move(reason);
    return step;
}

} // namespace

RestoreResult RestoreBranding(Platform& platform) {
    RestoreResult result;
    unsigned long error = 0;
    const auto location = FindBackupLocation(platform, error);
    if (!location) {
        result.report.steps.push_back(BackupUnreadable(platform, {}, error, {}));
        return result;
    }
    std::string bytes;
    const Outcome read = ReadWholeFile(platform, location->file, kLargestBackupFile, bytes);
    if (!read) {
        if (platform.IsNotFound(read.errorCode)) {
            result.outcome = RestoreOutcome::NoBackup;
        } else {
            result.report.steps.push_back(
                BackupUnreadable(platform, location->file, read.errorCode, {}));
        }
        return result;
    }
    std::wstring problem;
    const std::optional<BrandingBackup> backup = DecodeBackup(bytes, problem);
    if (!backup) {
        result.report.steps.push_back(BackupUnreadable(platform, location->file, 0, problem));
        return result;
    }
    RestoreFiles(platform, *backup, result.report);
    RestoreValues(platform, *backup, result.report);
    result.outcome = result.report.Succeeded() ? RestoreOutcome::Restored : RestoreOutcome::Failed;
    return result;
}

} // namespace qm
