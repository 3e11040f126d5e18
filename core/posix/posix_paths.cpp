#include "posix_platform.h"

namespace qm {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// The length of a UTF-8 sequence from its first byte; 0 for a byte that cannot
// start one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 0;
}

} // namespace

std::string ToPosixPath(const std::wstring& path) {
    std::string out;
    for (wchar_t character : path) {
        char32_t code = static_cast<char32_t>(character);
        if (code == U'\\') {
            code = U'/';
        } else if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            code = kReplacement;
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::wstring FromPosixPath(const std::string& path) {
    std::wstring out;
    std::size_t i = 0;
    while (i < path.size()) {
        const unsigned char lead = static_cast<unsigned char>(path[i]);
        const std::size_t length = SequenceLength(lead);
        bool valid = length != 0 && i + length <= path.size();
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(path[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        out.push_back(code == U'/' ? L'\\' : static_cast<wchar_t>(code));
        i += length;
    }
    return out;
}

} // namespace qm
