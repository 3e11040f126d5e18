#pragma once
// Installs a chosen bitmap as the system folder's oemlogo.bmp.

#include "command_report.h"

#include <string>

namespace qm {

class Platform;

// Copies folder + "\" + fileName byte for byte over the system folder's
// oemlogo.bmp, in one step; on Vista and later the registry's Logo value then
// names it. The report succeeds when both were done; on failure the earlier logo
// is left as it was.
CommandReport InstallOemLogo(Platform& platform, const std::wstring& folder,
                             const std::wstring& fileName);

} // namespace qm
