#include "ansi_text.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

struct AnsiCase {
    const wchar_t* text;
    std::string bytes;
};

// Windows-1252, the code page of the native build and of the test prefix.
const AnsiCase kAnsiCases[] = {
    {L"", ""},
    {L"Acme 42 [x]=\"y\"", "Acme 42 [x]=\"y\""},
    {L"M\u00FCller \u00E4\u00F6\u00DF\u00FF", "M\xFCller \xE4\xF6\xDF\xFF"},
    {L"\u20AC \u201A \u0178 \u2122", "\x80 \x82 \x9F \x99"},
    {L"\u00A0\u00A9\u00AE", "\xA0\xA9\xAE"},
};

TEST(AnsiText, ConvertsBothWaysInTheCodePage) {
    for (const AnsiCase& c : kAnsiCases) {
        EXPECT_EQ(ToAnsi(c.text), c.bytes) << "text #" << (&c - kAnsiCases);
        EXPECT_EQ(FromAnsi(c.bytes), c.text) << "bytes #" << (&c - kAnsiCases);
    }
}

TEST(AnsiText, KeepsEmbeddedNulsInBothDirections) {
    const std::string bytes("C:\\a\0   ", 8);
    const std::wstring text = FromAnsi(bytes);
    ASSERT_EQ(text.size(), 8u);
    EXPECT_EQ(text[4], L'\0');
    EXPECT_EQ(ToAnsi(text), bytes);
}

TEST(AnsiText, PutsTheSubstituteForCharactersOutsideTheCodePage) {
    const char substitute = test::SubstituteCharacter();
    EXPECT_EQ(ToAnsi(L"a\u4E2Db"), std::string("a") + substitute + "b");
    // Never a look-alike: a full-width quote or backslash must not become a real one.
    EXPECT_EQ(ToAnsi(L"\u0411\u03A9\uFF02\uFF3C"), std::string(4, substitute));
}

} // namespace
} // namespace qm
