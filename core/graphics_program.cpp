#include "graphics_program.h"

#include "platform.h"

namespace qm {
namespace {

std::wstring ChooseAndSave(Platform& platform, CurrentProgramPath& current) {
    // Whatever the dialog reports is taken, the empty name after Cancel included.
    const std::wstring chosen = platform.ShowOpenDialog(kProgramFilter, current.DialogOwner());
    current.Set(chosen);
    SaveGraphicsProgramPath(platform, chosen);
    return chosen;
}

} // namespace

const wchar_t kProgramFilter[] = L"Programs (*.exe)|*.exe";

void ChooseGraphicsProgram(Platform& platform, CurrentProgramPath& current) {
    ChooseAndSave(platform, current);
}

void LaunchGraphicsProgram(Platform& platform, CurrentProgramPath& current) {
    const std::wstring stored = current.Get();
    if (!stored.empty()) {
        SaveGraphicsProgramPath(platform, stored);
        StartGraphicsProgram(platform, stored);
        return;
    }
    StartGraphicsProgram(platform, ChooseAndSave(platform, current));
}

bool StartGraphicsProgram(Platform& platform, const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    // The file itself is the application, so no program search and no splitting
    // at blanks can pick another one. The command line is that path in quotes and
    // nothing else: the program sees its own name and no arguments.
    return platform.StartProcess(path, L"\"" + path + L"\"");
}

} // namespace qm
