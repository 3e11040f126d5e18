#include "unattended_run.h"

#include "branding_backup.h"
#include "branding_commands.h"
#include "branding_request.h"
#include "branding_restore.h"
#include "logo_installation.h"
#include "step_lines.h"

#include <algorithm>

namespace qm {
namespace {

struct Run {
    Platform& platform;
    ConsoleLines& console;
};

// One switch of the command line. Another command is one more row of the table
// and one function.
struct Command {
    const wchar_t* name;
    const wchar_t* alias;     // nullptr when none
    const wchar_t* parameter; // the one argument it takes; nullptr when none
    const wchar_t* summary;
    int (*start)(Run& run, const std::wstring& argument);
};

int ShowUsage(Run& run, const std::wstring&);
int Apply(Run& run, const std::wstring& brandingFile);
int Remove(Run& run, const std::wstring&);
int Restore(Run& run, const std::wstring&);

constexpr Command kCommands[] = {
    {L"apply", nullptr, L"FILE", L"brand this PC with the texts and logo that FILE names", Apply},
    {L"remove", nullptr, nullptr, L"remove oeminfo.ini and oemlogo.bmp", Remove},
    {L"restore", nullptr, nullptr,
     L"put back the branding this PC had before this program changed it", Restore},
    {L"?", L"help", nullptr, L"show this text", ShowUsage},
};

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameSwitch(const std::wstring& name, const wchar_t* candidate) {
    if (candidate == nullptr) {
        return false;
    }
    std::size_t i = 0;
    for (; i < name.size() && candidate[i] != L'\0'; ++i) {
        if (AsciiLower(name[i]) != candidate[i]) {
            return false;
        }
    }
    return i == name.size() && candidate[i] == L'\0';
}

const Command* FindCommand(const std::wstring& argument) {
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) {
        return nullptr;
    }
    const std::wstring name = argument.substr(1);
    for (const Command& command : kCommands) {
        if (SameSwitch(name, command.name) || SameSwitch(name, command.alias)) {
            return &command;
        }
    }
    return nullptr;
}

std::wstring Synopsis(const Command& command) {
    std::wstring text = L"/" + std::wstring(command.name);
    if (command.alias) {
        text += L", /" + std::wstring(command.alias);
    }
    if (command.parameter) {
        text += L" " + std::wstring(command.parameter);
    }
    return text;
}

int ShowUsage(Run& run, const std::wstring&) {
    ConsoleLines& console = run.console;
    console.Line(L"Usage: \"Quorvane Marquelle XP.exe\" [switch]");
    console.Line(L"  (no switch)      open the window");
    for (const Command& command : kCommands) {
        std::wstring synopsis = Synopsis(command);
        synopsis.resize(std::max<std::size_t>(synopsis.size() + 2, 17), L' ');
        console.Line(L"  " + synopsis + command.summary);
    }
    console.Line(L"Switches may start with - as well as /, in any case.");
    console.Line(L"Exit code: 0 done; 1 a change failed; 2 nothing was changed, because the "
                 L"request was wrong (/restore: because there is nothing to restore).");
    return kExitDone;
}

int Refuse(Run& run, const std::wstring& problem, bool withUsage) {
    run.console.Line(L"error: " + problem);
    if (withUsage) {
        ShowUsage(run, {});
    }
    run.console.Line(L"Nothing was changed.");
    return kExitBadRequest;
}

// Prints each step of the report; whether none failed.
bool Print(Run& run, const CommandReport& report) {
    for (const StepResult& step : report.steps) {
        run.console.Line(StepLine(step));
    }
    return report.Succeeded();
}

// Before the first change the machine's own branding is backed up; without a
// backup nothing changes. Whether the changes may go ahead.
bool BackedUp(Run& run) {
    CommandReport report;
    const bool backedUp = TakeBackupOnce(run.platform, report);
    Print(run, report);
    if (!backedUp) {
        run.console.Line(L"error: the branding this PC has now could not be backed up, so "
                         L"nothing was changed.");
    }
    return backedUp;
}

int Apply(Run& run, const std::wstring& brandingFile) {
    std::wstring problem;
    const std::optional<BrandingRequest> request =
        ReadBrandingRequest(run.platform, brandingFile, problem);
    if (!request) {
        return Refuse(run, problem, false);
    }
    if (!BackedUp(run)) {
        return kExitChangeFailed;
    }
    // Every step runs, as the window's commands do, so that each one's line
    // tells the user where the PC stands.
    bool succeeded = Print(run, ApplyChanges(run.platform, request->record));
    if (request->logo) {
        succeeded &= Print(
            run, InstallOemLogo(run.platform, request->logo->folder, request->logo->fileName));
    }
    return succeeded ? kExitDone : kExitChangeFailed;
}

int Remove(Run& run, const std::wstring&) {
    if (!BackedUp(run)) {
        return kExitChangeFailed;
    }
    return Print(run, RemoveOemFiles(run.platform)) ? kExitDone : kExitChangeFailed;
}

int Restore(Run& run, const std::wstring&) {
    const RestoreResult result = RestoreBranding(run.platform);
    Print(run, result.report);
    switch (result.outcome) {
    case RestoreOutcome::Restored:
        return kExitDone;
    case RestoreOutcome::NoBackup:
        run.console.Line(L"Nothing to restore: this program has never changed this PC's branding "
                         L"(it keeps a backup from its first change on).");
        return kExitBadRequest;
    case RestoreOutcome::Failed:
        break;
    }
    if (!result.report.steps.empty() &&
        result.report.steps.front().action == StepAction::ReadBackup) {
        run.console.Line(L"error: the backup cannot be used, so nothing was changed.");
    }
    return kExitChangeFailed;
}

} // namespace

int RunUnattended(const std::vector<std::wstring>& arguments, Platform& platform,
                  ConsoleLines& console) {
    Run run{platform, console};
    if (arguments.empty()) {
        return Refuse(run, L"no switch given", true);
    }
    const Command* command = FindCommand(arguments[0]);
    if (command == nullptr) {
        return Refuse(run, L"unknown switch \"" + arguments[0] + L"\"", true);
    }
    const std::size_t wanted = command->parameter ? 2 : 1;
    if (arguments.size() < wanted || (command->parameter && arguments[1].empty())) {
        return Refuse(run, Synopsis(*command) + L" needs its " + command->parameter + L" argument",
                      true);
    }
    if (arguments.size() > wanted) {
        return Refuse(
            run, L"\"" + arguments[wanted] + L"\" is one argument too many for /" + command->name,
            true);
    }
    return command->start(run, command->parameter ? arguments[1] : std::wstring());
}

} // namespace qm
