#pragma once
// Turns the bytes of a text file that a script wrote into Unicode text. Scripts
// write UTF-8 (with or without a byte-order mark), UTF-16 LE with its mark, or
// the system's ANSI code page; these are told apart by the mark, and without one
// by whether the bytes are valid UTF-8 (pure ASCII reads the same either way).

#include <cstddef>
#include <optional>
#include <string>

namespace qm {

enum class TextEncoding { Utf8WithMark, Utf8, Utf16LeWithMark, Ansi };

struct DecodedText {
    std::wstring text;
    TextEncoding encoding;
};

struct TextDecodingFault {
    std::size_t line; // 1-based line of the first byte that cannot be read
    std::wstring reason;
};

// The text, or why the bytes are no text in any of the accepted encodings. The
// byte-order mark is not part of the text. Characters beyond U+FFFF become a
// surrogate pair where wchar_t has 16 bits.
std::optional<DecodedText> DecodeText(const std::string& bytes, TextDecodingFault& fault);

} // namespace qm
