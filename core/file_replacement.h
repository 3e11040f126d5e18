#pragma once
// Replaces a file in one step: the new content goes to a temporary file beside the
// target, which is then moved over it. A failure at any point removes the
// temporary file and leaves the target exactly as it was.

#include <memory>
#include <string>

namespace qm {

class Platform;
class ReadableFile;

// The temporary file's name is fixed for each target, so that a later write reuses,
// and then moves away, a leftover of a process that was killed half-way.
std::wstring TemporaryPathFor(const std::wstring& target);

bool ReplaceFileWithBytes(Platform& platform, const std::wstring& target, const std::string& bytes);

// Copies source to its end, in chunks, so that a file of any size fits. The source
// is closed before the move, which matters when it is the target itself.
bool ReplaceFileWithCopyOf(Platform& platform, const std::wstring& target,
                           std::unique_ptr<ReadableFile> source);

} // namespace qm
