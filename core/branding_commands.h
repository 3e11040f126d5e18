#pragma once
// The commands behind "Apply Changes", "Preview" and "Remove Oem". Each step that
// fails is skipped silently and the next one runs.

#include "oem_info_file.h"

namespace qm {

class Platform;

void ApplyChanges(Platform& platform, const OemInfoRecord& record);
// Writes the file as ApplyChanges does, then opens System Properties with the
// system folder's own rundll32.exe.
void PreviewChanges(Platform& platform, const OemInfoRecord& record);
void RemoveOemFiles(Platform& platform);

} // namespace qm
