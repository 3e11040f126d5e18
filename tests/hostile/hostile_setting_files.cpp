#include "hostile_setting_files.h"

#include <random>

namespace qm::test {
namespace {

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;
const std::string kLine = "\"C:\\Tools\\paint.exe\"\r\n";

std::string Utf16(const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) {
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
}

std::string Noise(std::size_t size) {
    std::mt19937 random(5);
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        bytes += static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

} // namespace

std::vector<HostileSettingFile> HostileSettingFiles() {
    const std::wstring paint = L"C:\\Tools\\paint.exe";
    return {
        {"10 MB without a line end", std::string(kTenMegabytes, 'A'), false, {}},
        {"10 MB inside an open quote", "\"C:\\" + std::string(kTenMegabytes, 'p'), false, {}},
        {"10 MB of line ends before the path", std::string(kTenMegabytes, '\n') + kLine, false,
         L""},
        {"10 MB after the path", kLine + std::string(kTenMegabytes, 'x'), false, paint},
        {"NUL bytes only", std::string(1000, '\0'), false, {}},
        {"a NUL inside the path", std::string("\"C:\\Tools\\pa\0int.exe\"\r\n", 23), false, {}},
        {"a NUL before the path", std::string("\0", 1) + kLine, false, {}},
        {"an unterminated quote", "\"C:\\Tools\\paint.exe\r\nsecond line\r\n", false, paint},
        {"a quote closed on a later line", "\"C:\\Tools\\paint.exe\r\n\"second\"\r\n", false, {}},
        {"an unterminated quote at the end", "\"C:\\Tools\\paint.exe", false, paint},
        {"only a quote", "\"", false, L""},
        {"UTF-16 with its byte order mark", Utf16(kLine, false), false, {}},
        {"UTF-16 big-endian with its byte order mark", Utf16(kLine, true), false, {}},
        {"UTF-8 with its byte order mark", "\xEF\xBB\xBF" + kLine, false, {}},
        {"noise", Noise(4096), false, {}},
        {"blanks and line ends only", " \t\r\n\r\n  ", false, L""},
        {"a folder", "", true, L""},
    };
}

} // namespace qm::test
