#include "whole_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace qm {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

unsigned long TooLargeCode() {
#ifdef _WIN32
    return ERROR_NOT_ENOUGH_MEMORY;
#else
    return EFBIG;
#endif
}

} // namespace

WholeFileOutcome ReadWholeFile(Platform& platform, const std::wstring& path, std::size_t limit,
                               std::string& bytes) {
    bytes.clear();
    const std::unique_ptr<ReadableFile> file = platform.OpenForReading(path);
    if (!file) {
        return {{false, platform.LastErrorCode()}, WholeFileStop::Opening};
    }
    for (;;) {
        const std::size_t filled = bytes.size();
        bytes.resize(filled + kChunkSize);
        const long count = file->Read(bytes.data() + filled, kChunkSize);
        if (count < 0) {
            const unsigned long error = platform.LastErrorCode();
            bytes.clear();
            return {{false, error}, WholeFileStop::Reading};
        }
        bytes.resize(filled + static_cast<std::size_t>(count));
        if (count == 0) {
            return {{true, 0}, WholeFileStop::None};
        }
        if (bytes.size() > limit) {
            bytes.clear();
            return {{false, TooLargeCode()}, WholeFileStop::TooLarge};
        }
    }
}

} // namespace qm
