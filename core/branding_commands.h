#pragma once
// The commands behind "Apply Changes", "Preview" and "Remove Oem". Each step that
// fails is skipped and the next one runs; the report says what each step did.

#include "command_report.h"
#include "oem_info_file.h"

namespace qm {

class Platform;

CommandReport ApplyChanges(Platform& platform, const OemInfoRecord& record);
// Writes the file as ApplyChanges does, then opens System Properties with the
// system folder's own rundll32.exe.
CommandReport PreviewChanges(Platform& platform, const OemInfoRecord& record);
CommandReport RemoveOemFiles(Platform& platform);

} // namespace qm
