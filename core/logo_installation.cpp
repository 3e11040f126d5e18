#include "logo_installation.h"

#include "file_replacement.h"
#include "get_system_folder.h"
#include "platform.h"

#include <utility>

namespace qm {

bool InstallOemLogo(Platform& platform, const std::wstring& folder, const std::wstring& fileName) {
    // Exactly one backslash, also after a drive's root ("C:\" gives "C:\\name"),
    // which the file system accepts.
    const std::wstring source = folder + L"\\" + fileName;
    const auto systemFolder = GetSystemFolderPath(platform);
    if (!systemFolder) {
        return false;
    }
    // The user's file as the picture browser showed it; only the system folder's
    // side goes past the redirection of a 32-bit program on 64-bit Windows.
    std::unique_ptr<ReadableFile> sourceFile = platform.OpenForReading(source);
    const auto access = platform.AccessSystemFolder();
    return ReplaceFileWithCopyOf(platform, *systemFolder + L"\\oemlogo.bmp", std::move(sourceFile));
}

} // namespace qm
