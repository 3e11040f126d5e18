#include "get_system_folder.h"

#include "ansi_text.h"
#include "platform.h"

namespace qm {

std::optional<std::wstring> GetSystemFolderPath(Platform& platform) {
    // 255 blanks; the platform writes the folder and a NUL at the start, or nothing.
    constexpr unsigned kBufferSize = 255;
    std::string buffer(kBufferSize, ' ');
    platform.QuerySystemDirectoryA(buffer.data(), kBufferSize);

    // The end of the path is the first NUL, never the length the platform reports
    // and never where the blanks begin.
    const std::wstring text = FromAnsi(buffer);
    const std::wstring::size_type nul = text.find(L'\0');
    if (nul == std::wstring::npos) {
        return std::nullopt;
    }
    return text.substr(0, nul);
}

} // namespace qm
