#include "text_decoding.h"

#include "ansi_text.h"

#include <algorithm>
#include <cstdint>

namespace qm {
namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

void Append(std::wstring& text, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c > 0xFFFF) {
            c -= 0x10000;
            text.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
            return;
        }
    }
    text.push_back(static_cast<wchar_t>(c));
}

std::size_t LineOf(const std::string& bytes, std::size_t offset) {
    return 1 + static_cast<std::size_t>(
                   std::count(bytes.begin(), bytes.begin() + static_cast<long>(offset), '\n'));
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF. Returns
// the offset of the first byte that breaks the rules, or npos when all is well.
std::size_t DecodeUtf8(const std::string& bytes, std::size_t start, std::wstring& text) {
    std::size_t i = start;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            text.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        std::size_t length;
        char32_t c;
        char32_t smallest;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, c = lead & 0x1F, smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, c = lead & 0x0F, smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, c = lead & 0x07, smallest = 0x10000;
        } else {
            return i;
        }
        if (bytes.size() - i < length) {
            return i;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return i;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (c < smallest || c > kMaxCodePoint || IsSurrogate(c)) {
            return i;
        }
        Append(text, c);
        i += length;
    }
    return std::string::npos;
}

// UTF-16 LE after its mark: every surrogate in a pair. Returns the offset of the
// first unit that breaks the rules, or npos.
std::size_t DecodeUtf16Le(const std::string& bytes, std::wstring& text) {
    const auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    std::size_t i = 2;
    while (i + 1 < bytes.size()) {
        const char32_t unit = unitAt(i);
        if (!IsSurrogate(unit)) {
            text.push_back(static_cast<wchar_t>(unit));
            i += 2;
            continue;
        }
        if (unit >= 0xDC00 || i + 3 >= bytes.size()) {
            return i;
        }
        const char32_t low = unitAt(i + 2);
        if (low < 0xDC00 || low > 0xDFFF) {
            return i;
        }
        Append(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 4;
    }
    return i < bytes.size() ? i : std::string::npos;
}

bool StartsWith(const std::string& bytes, const char* mark, std::size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
}

// A line count in UTF-16 text: the LF units before offset.
std::size_t Utf16LineOf(const std::string& bytes, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t i = 2; i < offset && i + 1 < bytes.size(); i += 2) {
        if (bytes[i] == '\n' && bytes[i + 1] == '\0') {
            ++line;
        }
    }
    return line;
}

} // namespace

std::optional<DecodedText> DecodeText(const std::string& bytes, TextDecodingFault& fault) {
    DecodedText decoded;
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
        decoded.encoding = TextEncoding::Utf8WithMark;
        const std::size_t bad = DecodeUtf8(bytes, 3, decoded.text);
        if (bad != std::string::npos) {
            fault = {LineOf(bytes, bad), L"is not valid UTF-8, although it starts with "
                                         L"UTF-8's byte-order mark"};
            return std::nullopt;
        }
        return decoded;
    }
    if (StartsWith(bytes, "\xFF\xFE", 2)) {
        decoded.encoding = TextEncoding::Utf16LeWithMark;
        const std::size_t bad = DecodeUtf16Le(bytes, decoded.text);
        if (bad != std::string::npos) {
            fault = {Utf16LineOf(bytes, bad),
                     bad + 1 >= bytes.size()
                         ? L"ends in half a UTF-16 character"
                         : L"is not valid UTF-16 (a surrogate without its pair)"};
            return std::nullopt;
        }
        return decoded;
    }
    if (StartsWith(bytes, "\xFE\xFF", 2)) {
        fault = {1, L"is UTF-16 big-endian, which is not accepted: save it as UTF-8 or as "
                    L"UTF-16 LE (\"Unicode\")"};
        return std::nullopt;
    }
    if (DecodeUtf8(bytes, 0, decoded.text) == std::string::npos) {
        decoded.encoding = TextEncoding::Utf8;
        return decoded;
    }
    decoded.encoding = TextEncoding::Ansi;
    decoded.text = FromAnsi(bytes);
    return decoded;
}

} // namespace qm
