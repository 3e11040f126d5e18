#include "graphics_program.h"

#include "ansi_text.h"
#include "file_replacement.h"
#include "platform.h"

namespace qm {
namespace {

// A path is far shorter; a large foreign file is never read whole.
constexpr std::size_t kReadLimit = 64 * 1024;

std::wstring SettingFilePath(Platform& platform) {
    return platform.ExecutableFolder() + L"\\program.cng";
}

std::string ReadStart(ReadableFile& file) {
    std::string bytes(kReadLimit, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const long count = file.Read(bytes.data() + filled, bytes.size() - filled);
        if (count < 0) {
            return {};
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace

std::wstring LoadGraphicsProgramPath(Platform& platform) {
    const std::unique_ptr<ReadableFile> file = platform.OpenForReading(SettingFilePath(platform));
    if (!file) {
        return {};
    }
    return FromAnsi(FirstFieldOf(ReadStart(*file)));
}

bool SaveGraphicsProgramPath(Platform& platform, const std::wstring& path) {
    return ReplaceFileWithBytes(platform, SettingFilePath(platform), "\"" + ToAnsi(path) + "\"\r\n")
        .ok;
}

} // namespace qm
