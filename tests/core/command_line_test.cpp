#include "command_line.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace qm {
namespace {

TEST(CommandLine, OnlyBlanksAreNoArguments) {
    EXPECT_FALSE(HasArguments(nullptr));
    EXPECT_FALSE(HasArguments(L""));
    EXPECT_FALSE(HasArguments(L" \t "));
    EXPECT_TRUE(HasArguments(L"  /?"));
    EXPECT_TRUE(HasArguments(L"\"\""));
}

TEST(CommandLine, SplitsAsTheWindowsRuntimeDoes) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> arguments;
    };
    const Case cases[] = {
        {L"", {}},
        {L"   ", {}},
        {L"/apply brand.ini", {L"/apply", L"brand.ini"}},
        {L"  -REMOVE\t ", {L"-REMOVE"}},
        {L"/apply \"C:\\Deploy Files\\brand.ini\"", {L"/apply", L"C:\\Deploy Files\\brand.ini"}},
        {L"/apply C:\\Deploy\" \"Files\\b.ini", {L"/apply", L"C:\\Deploy Files\\b.ini"}},
        // A quoted folder with its closing backslash doubled, as scripts write it.
        {L"\"C:\\Deploy Files\\\\\" x", {L"C:\\Deploy Files\\", L"x"}},
        {L"a\\\\\\\"b", {L"a\\\"b"}},
        {L"a\\\\b c\\", {L"a\\\\b", L"c\\"}},
        {L"\"\" x", {L"", L"x"}},
        {L"\"a \"\" b\"", {L"a \" b"}},
        {L"\"unclosed quote", {L"unclosed quote"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text, c.text + std::wcslen(c.text)));
        EXPECT_EQ(SplitArguments(c.text), c.arguments);
    }
}

} // namespace
} // namespace qm
