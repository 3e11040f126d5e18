#include "file_replacement.h"

#include "platform.h"

#include <vector>

namespace qm {
namespace {

constexpr std::size_t kCopyChunkSize = 64 * 1024;

template <typename Fill>
Outcome ReplaceFile(Platform& platform, const std::wstring& target, Fill fill) {
    const std::wstring temporary = TemporaryPathFor(target);
    // The code is taken right after the step that failed: removing the temporary
    // file below would replace it.
    Outcome outcome;
    if (std::unique_ptr<WritableFile> file = platform.CreateForWriting(temporary)) {
        const bool filled = fill(*file, outcome);
        // Close even when filling failed; only a clean close makes the content count.
        const bool closed = file->Close();
        if (filled && !closed) {
            outcome.errorCode = platform.LastErrorCode();
        }
        if (filled && closed) {
            outcome.ok = platform.MoveReplacing(temporary, target);
            if (!outcome.ok) {
                outcome.errorCode = platform.LastErrorCode();
            }
        }
    } else {
        outcome.errorCode = platform.LastErrorCode();
    }
    if (!outcome.ok) {
        platform.RemoveFile(temporary);
    }
    return outcome;
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

Outcome ReplaceFileWithBytes(Platform& platform, const std::wstring& target,
                             const std::string& bytes) {
    return ReplaceFile(platform, target, [&](WritableFile& file, Outcome& outcome) {
        const bool written = file.Write(bytes.data(), bytes.size());
        if (!written) {
            outcome.errorCode = platform.LastErrorCode();
        }
        return written;
    });
}

Outcome ReplaceFileWithCopyOf(Platform& platform, const std::wstring& target,
                              std::unique_ptr<ReadableFile> source, unsigned long sourceError) {
    if (!source) {
        return {false, sourceError};
    }
    return ReplaceFile(platform, target, [&](WritableFile& file, Outcome& outcome) {
        const bool copied = CopyToEnd(*source, file);
        if (!copied) {
            outcome.errorCode = platform.LastErrorCode();
        }
        source.reset();
        return copied;
    });
}

} // namespace qm
