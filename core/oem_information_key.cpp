#include "oem_information_key.h"

#include "platform.h"
#include "step_result_of.h"

#include <vector>

namespace qm {

const wchar_t kOemInformationKeyPath[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";

namespace {

// Windows hides the support details while this is set to anything but 0.
constexpr wchar_t kHelpCustomized[] = L"HelpCustomized";

struct ValueChange {
    const wchar_t* name;
    std::wstring text; // empty: delete the value
};

void ReportValueStep(Platform& platform, StepAction action, const std::wstring& name,
                     const std::wstring& data, unsigned long error, CommandReport& report) {
    StepResult step = StepResultOf(platform, action,
                                   std::wstring(L"HKEY_LOCAL_MACHINE\\") + kOemInformationKeyPath,
                                   {error == 0, error});
    step.valueName = name;
    step.data = data;
    report.steps.push_back(std::move(step));
}

// Each change is tried and reported on its own: one that fails stops no other.
// Returns the open key, or nullptr when it could not be opened.
std::unique_ptr<RegistryKey> ChangeValues(Platform& platform,
                                          const std::vector<ValueChange>& changes, bool create,
                                          CommandReport& report) {
    unsigned long openError = 0;
    std::unique_ptr<RegistryKey> key =
        platform.OpenMachineKey(kOemInformationKeyPath, create, openError);
    for (const ValueChange& change : changes) {
        const bool remove = change.text.empty();
        unsigned long error = openError;
        if (key) {
            error = remove ? key->DeleteValue(change.name) : key->SetText(change.name, change.text);
        }
        ReportValueStep(platform, remove ? StepAction::DeleteValue : StepAction::SetValue,
                        change.name, change.text, error, report);
    }
    return key;
}

} // namespace

void WriteOemInformationValues(Platform& platform, const OemInfoRecord& record,
                               CommandReport& report) {
    // The texts as typed, in Unicode: no code page stands between them and
    // Windows here. A line break would show as one, so it becomes a blank as in
    // oeminfo.ini.
    const std::vector<ValueChange> changes = {
        {L"Manufacturer", OneLine(record.Manufacturer)},
        {L"Model", OneLine(record.Model)},
        {L"SupportPhone", OneLine(record.SupportPhone)},
        {L"SupportURL", OneLine(record.SupportWebsite)},
    };
    // A key that is missing needs creating only when a value is to be set.
    bool anyText = false;
    for (const ValueChange& change : changes) {
        anyText = anyText || !change.text.empty();
    }
    const std::unique_ptr<RegistryKey> key = ChangeValues(platform, changes, anyText, report);
    if (!key) {
        return;
    }
    const std::optional<std::uint32_t> helpCustomized = key->ReadNumber(kHelpCustomized);
    if (helpCustomized && *helpCustomized != 0) {
        ReportValueStep(platform, StepAction::SetValue, kHelpCustomized, L"0",
                        key->SetNumber(kHelpCustomized, 0), report);
    }
}

void WriteOemLogoValue(Platform& platform, const std::wstring& logoPath, CommandReport& report) {
    ChangeValues(platform, {{L"Logo", logoPath}}, true, report);
}

void RemoveOemInformationValues(Platform& platform, CommandReport& report) {
    ChangeValues(platform,
                 {{L"Manufacturer", L""},
                  {L"Model", L""},
                  {L"SupportPhone", L""},
                  {L"SupportURL", L""},
                  {L"Logo", L""}},
                 false, report);
}

} // namespace qm
