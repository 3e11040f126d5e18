#pragma once
// The program's title and version, as every window shows them.

#include "version.h"

namespace qm {

inline constexpr wchar_t kAppTitle[] = L"" QM_TITLE;
inline constexpr int kVersionMajor = QM_VERSION_MAJOR;
inline constexpr int kVersionMinor = QM_VERSION_MINOR;
inline constexpr int kVersionRevision = QM_VERSION_REVISION;

} // namespace qm
