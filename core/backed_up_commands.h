#pragma once
// The branding commands as the program runs them: each first makes sure that the
// machine's own branding is backed up, and changes nothing when it cannot be.
// Every window's button and every command-line switch that changes branding
// goes through these.

#include "command_report.h"
#include "oem_info_file.h"

#include <string>

namespace qm {

class Platform;

CommandReport BackUpThenApply(Platform& platform, const OemInfoRecord& record);
CommandReport BackUpThenPreview(Platform& platform, const OemInfoRecord& record);
CommandReport BackUpThenRemove(Platform& platform);
CommandReport BackUpThenInstallLogo(Platform& platform, const std::wstring& folder,
                                    const std::wstring& fileName);

} // namespace qm
