#pragma once
// Reads a file whole into memory, up to a bound.

#include "platform.h"

#include <string>

namespace qm {

// Where reading a whole file stopped short, for callers that say so in words.
enum class WholeFileStop { None, Opening, Reading, TooLarge };

struct WholeFileOutcome : Outcome {
    WholeFileStop stop = WholeFileStop::None;
};

// The file's bytes, or a failed outcome with the system's code: the opening's
// (which IsNotFound accepts when there is no such file), the reading's, or, for a
// file longer than limit, the platform's code for "not enough memory".
WholeFileOutcome ReadWholeFile(Platform& platform, const std::wstring& path, std::size_t limit,
                               std::string& bytes);

} // namespace qm
