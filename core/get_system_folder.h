#pragma once
// Finds the Windows system folder, where both branding files live.

#include <optional>
#include <string>

namespace qm {

class Platform;

// The system folder exactly as the platform wrote it before its terminating NUL,
// without a trailing backslash; nothing when the platform wrote no NUL (it failed,
// or the folder does not fit in 255 bytes).
std::optional<std::wstring> GetSystemFolderPath(Platform& platform);

} // namespace qm
