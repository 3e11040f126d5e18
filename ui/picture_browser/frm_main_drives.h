#pragma once
// The drives the picture browser's drive list offers, and whether one can be
// read now.

#include <windows.h>

#include <string>
#include <vector>

namespace qm::frmmain {

struct DriveEntry {
    wchar_t letter;    // upper case
    std::wstring text; // "c:", or "c: [label]" when the volume has a label
};

// Every drive the system has, in letter order.
std::vector<DriveEntry> ListDrives();

// "C:\".
std::wstring DriveRoot(wchar_t letter);

// The drive's current folder as the process keeps it (the root when it keeps
// none), without a trailing backslash except the root's.
std::wstring DriveCurrentFolder(wchar_t letter);

// Whether a drive holds a readable medium now. Tests replace it to make a drive
// fail without unplugging anything.
class DriveReadiness {
public:
    virtual ~DriveReadiness() = default;
    virtual bool IsReady(wchar_t letter);
};

DriveReadiness& HostDriveReadiness();

} // namespace qm::frmmain
