#include "ansi_text.h"

#include <array>

namespace qm {
namespace {

// Windows-1252 stands in for the ANSI code page where the system has none. Bytes
// 0x80 to 0x9F carry these characters; the five bytes Windows leaves undefined
// map to the control character of the same number, as Windows' own table does.
constexpr std::array<wchar_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char kSubstitute = '?';

char ToByte(wchar_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(character);
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == character) {
            return static_cast<char>(0x80 + i);
        }
    }
    return kSubstitute;
}

wchar_t FromByte(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return kHighControlRange[byte - 0x80];
    }
    return static_cast<wchar_t>(byte);
}

} // namespace

std::string ToAnsi(const std::wstring& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t character : text) {
        bytes.push_back(ToByte(character));
    }
    return bytes;
}

std::wstring FromAnsi(const std::string& bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        text.push_back(FromByte(static_cast<unsigned char>(byte)));
    }
    return text;
}

} // namespace qm
