#include "graphics_program.h"

namespace qm {
namespace {

constexpr char kLeadingSpace[] = " \t\r\n";
constexpr char kLineEnd[] = "\r\n";
constexpr char kUnquotedEnd[] = ",\r\n";

std::string UpTo(const std::string& bytes, std::string::size_type start, const char* stops) {
    const std::string::size_type end = bytes.find_first_of(stops, start);
    return bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace

std::string FirstFieldOf(const std::string& bytes) {
    const std::string::size_type start = bytes.find_first_not_of(kLeadingSpace);
    if (start == std::string::npos) {
        return {};
    }
    if (bytes[start] == '"') {
        const std::string::size_type valueStart = start + 1;
        const std::string::size_type closing = bytes.find('"', valueStart);
        if (closing != std::string::npos) {
            return bytes.substr(valueStart, closing - valueStart);
        }
        // No closing quote: the rest of the line is the best guess at the path.
        return UpTo(bytes, valueStart, kLineEnd);
    }
    // A path typed by hand may carry blanks before its comma or line end; they are
    // never part of a usable file name.
    std::string field = UpTo(bytes, start, kUnquotedEnd);
    field.erase(field.find_last_not_of(" \t") + 1);
    return field;
}

} // namespace qm
