#pragma once
// Splits file bytes into their CR LF lines, for tests that compare files line by line.

#include <string>
#include <vector>

namespace qm {

// The file's lines without their CR LF; the bytes after the last CR LF form a
// last element, which is empty for a well-formed file.
inline std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (std::string::size_type end; (end = bytes.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    lines.push_back(bytes.substr(start));
    return lines;
}

} // namespace qm
