#pragma once
// The commands behind "Apply Changes", "Preview" and "Remove Oem". Each step that
// fails is skipped and the next one runs; the report says what each step did.
// Windows XP and earlier read oeminfo.ini; Vista and later read the registry's
// OEMInformation values, which the commands then change as well.

#include "command_report.h"
#include "oem_info_file.h"

namespace qm {

class Platform;

CommandReport ApplyChanges(Platform& platform, const OemInfoRecord& record);
// Writes what ApplyChanges writes, then opens the page that shows it with the
// system folder's own program: rundll32.exe with System Properties up to XP,
// control.exe with the System page from Vista on.
CommandReport PreviewChanges(Platform& platform, const OemInfoRecord& record);
CommandReport RemoveOemFiles(Platform& platform);

} // namespace qm
