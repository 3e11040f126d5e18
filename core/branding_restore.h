#pragma once
// Puts back the branding that the backup holds: each file byte for byte and each
// registry value as it was, and removes those that were not there.

#include "command_report.h"

namespace qm {

class Platform;

enum class RestoreOutcome {
    Restored, // every step worked
    Failed,   // a step failed, or the backup could not be read or is damaged
    NoBackup, // there is none: this program never changed the machine's branding
};

struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::Failed;
    CommandReport report;
};

// A backup that is cut off or damaged is refused whole: nothing changes. Of a
// sound one every step runs, as in the other commands. The backup stays.
RestoreResult RestoreBranding(Platform& platform);

} // namespace qm
