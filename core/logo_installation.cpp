#include "logo_installation.h"

#include "file_replacement.h"
#include "get_system_folder.h"
#include "platform.h"

namespace qm {

bool InstallOemLogo(Platform& platform, const std::wstring& folder, const std::wstring& fileName) {
    // Exactly one backslash, also after a drive's root ("C:\" gives "C:\\name"),
    // which the file system accepts.
    const std::wstring source = folder + L"\\" + fileName;
    const auto systemFolder = GetSystemFolderPath(platform);
    if (!systemFolder) {
        return false;
    }
    return ReplaceFileWithCopyOf(platform, *systemFolder + L"\\oemlogo.bmp",
                                 platform.OpenForReading(source));
}

} // namespace qm
