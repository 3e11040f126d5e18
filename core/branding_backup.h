#pragma once
// The backup of a machine's own branding, taken before this program first
// changes it and never replaced while it exists: the system folder's
// oeminfo.ini and oemlogo.bmp, and on Vista or later the OEMInformation values
// the program changes, each with whether it was there at all.

#include "backup_file.h"
#include "command_report.h"

#include <optional>
#include <string>

namespace qm {

class Platform;

// The machine's folder for all users' data, then this one, then the file.
extern const wchar_t kBackupFolderName[];
extern const wchar_t kBackupFileName[];

struct BackupLocation {
    std::wstring folder; // ...\ProgramData\Quorvane Marquelle XP
    std::wstring file;   // the backup in it
};

// Where the backup lives; nothing, with the system's code in error, when the
// system does not say where its folder for all users' data is.
std::optional<BackupLocation> FindBackupLocation(Platform& platform, unsigned long& error);

// The machine's branding as it is now, read as the commands write it (past the
// redirection of a 32-bit program, in the registry's 64-bit view); nothing when
// any of it cannot be read, with the failed step in report.
std::optional<BrandingBackup> ReadCurrentBranding(Platform& platform, CommandReport& report);

// Makes sure a backup exists before a change: takes one when there is none (one
// "back up branding" step in report), leaves one that exists as it is (no step).
// Returns whether a backup exists now; when not, report says why and nothing may
// be changed. The backup is written whole or not at all.
bool TakeBackupOnce(Platform& platform, CommandReport& report);

} // namespace qm
