#pragma once
// Replaces a file in one step: the new content goes to a temporary file beside the
// target, which is then moved over it. A failure at any point removes the
// temporary file and leaves the target exactly as it was.

#include "platform.h"

#include <memory>
#include <string>

namespace qm {

// The temporary file's name is fixed for each target, so that a later write reuses,
// and then moves away, a leftover of a process that was killed half-way.
std::wstring TemporaryPathFor(const std::wstring& target);

// On failure the outcome carries the system's code of the step that failed.
Outcome ReplaceFileWithBytes(Platform& platform, const std::wstring& target,
                             const std::string& bytes);

// Copies source to its end, in chunks, so that a file of any size fits. The source
// is closed before the move, which matters when it is the target itself. A missing
// source fails with sourceError, the code its opening gave.
Outcome ReplaceFileWithCopyOf(Platform& platform, const std::wstring& target,
                              std::unique_ptr<ReadableFile> source, unsigned long sourceError = 0);

} // namespace qm
