#include "file_replacement.h"

#include "platform.h"

#include <vector>

namespace qm {
namespace {

constexpr std::size_t kCopyChunkSize = 64 * 1024;

template <typename Fill>
bool ReplaceFile(Platform& platform, const std::wstring& target, Fill fill) {
    const std::wstring temporary = TemporaryPathFor(target);
    bool written = false;
    if (std::unique_ptr<WritableFile> file = platform.CreateForWriting(temporary)) {
        const bool filled = fill(*file);
        // Close even when filling failed; only a clean close makes the content count.
        const bool closed = file->Close();
        written = filled && closed;
    }
    if (written && platform.MoveReplacing(temporary, target)) {
        return true;
    }
    platform.RemoveFile(temporary);
    return false;
}

bool CopyToEnd(ReadableFile& source, WritableFile& destination) {
    std::vector<char> chunk(kCopyChunkSize);
    for (;;) {
        const long count = source.Read(chunk.data(), chunk.size());
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            return true;
        }
        if (!destination.Write(chunk.data(), static_cast<std::size_t>(count))) {
            return false;
        }
    }
}

} // namespace

std::wstring TemporaryPathFor(const std::wstring& target) {
    return target + L".partial";
}

bool ReplaceFileWithBytes(Platform& platform, const std::wstring& target,
                          const std::string& bytes) {
    return ReplaceFile(platform, target, [&bytes](WritableFile& file) {
        return file.Write(bytes.data(), bytes.size());
    });
}

bool ReplaceFileWithCopyOf(Platform& platform, const std::wstring& target,
                           std::unique_ptr<ReadableFile> source) {
    if (!source) {
        return false;
    }
    return ReplaceFile(platform, target, [&source](WritableFile& file) {
        const bool copied = CopyToEnd(*source, file);
        source.reset();
        return copied;
    });
}

} // namespace qm
