// oeminfo.ini from hostile texts in every field and in the quote: very long
// texts, characters outside the code page, line breaks and the file's own
// syntax. The file stays twenty lines, each with its own key, and the two
// sections stay the only ones.

#include "ansi_text.h"
#include "crlf_lines.h"
#include "oem_info_file.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qm {
namespace {

struct Field {
    std::wstring OemInfoRecord::*member;
    int line; // 1-based; 0 for the quote, which is in every support line
};

const Field kFields[] = {
    {&OemInfoRecord::Manufacturer, 3},     {&OemInfoRecord::Model, 5},
    {&OemInfoRecord::SupportName, 9},      {&OemInfoRecord::SupportEMail, 11},
    {&OemInfoRecord::SupportPhone, 13},    {&OemInfoRecord::SupportFax, 15},
    {&OemInfoRecord::SupportAddress1, 17}, {&OemInfoRecord::SupportAddress2, 18},
    {&OemInfoRecord::SupportWebsite, 20},  {&OemInfoRecord::Quote, 0},
};

// What each line starts with; empty lines are empty.
const char* const kLineStarts[] = {"[General]",
                                   "",
                                   "Manufacturer = ",
                                   "",
                                   "Model = ",
                                   "",
                                   "[Support Information]",
                                   "",
                                   "Line1=",
                                   "",
                                   "Line2=",
                                   "",
                                   "Line3=",
                                   "",
                                   "Line4=",
                                   "",
                                   "Line5=",
                                   "Line6=",
                                   "",
                                   "Line7="};

std::wstring Mixed(std::size_t length) {
    const std::wstring pieces = L"a\u00E9\u4E2D\u03A9 \U0001F642\u202E=[]\"";
    std::wstring text;
    while (text.size() < length) {
        text += pieces;
    }
    return text.substr(0, length);
}

std::vector<std::pair<const char*, std::wstring>> HostileTexts() {
    return {
        {"100,000 characters", std::wstring(100000, L'x')},
        {"100,000 mixed characters", Mixed(100000)},
        {"outside the code page", L"\u65E5\u672C\u8A9E \u03A9\u03BC\u03AD\u03B3\u03B1 \u0416"},
        {"a character beyond the first plane", L"logo \U0001F642 \U00020000"},
        {"a lone surrogate", std::wstring(L"a") + wchar_t(0xD800) + L"b"},
        {"line and paragraph separators", L"a\u2028b\u2029c\u0085d"},
        {"byte order mark and direction marks", L"\uFEFFa\u202Eb\u200F"},
        {"CR LF and a section", L"first\r\n[Evil]\r\nLine1=evil"},
        {"lone CR", L"a\r[Evil]"},
        {"lone LF", L"a\n[Evil]\nModel=x"},
        {"line breaks only", L"\r\n\r\n\n\r\r"},
        {"a section's name", L"[Support Information]"},
        {"a key", L"Line1=evil"},
        {"a comment", L";comment"},
        {"quotes and equals", L"\"=\"\"=\""},
        {"tabs and control characters", L"a\tb\x01\x1A\x7F"},
        {"a NUL inside", std::wstring(L"a\0b", 3)},
    };
}

OemInfoRecord Everyday() {
    return {L"Quorvane",
            L"R-idozuvov W3400",
            L"Dorran Pellicott",
            L"support@example.com",
            L"000-000-0000",
            L"000-000-0000",
            L"1200 Harbor Lane, Suite 4",
            L"Anytown, WA 98000",
            L"http://www.example.com/~dorran",
            L"\""};
}

// Twenty lines, each with its own start, no other line break anywhere, and the
// file as long as its texts in the code page make it.
void ExpectTwentyLines(const std::string& bytes, const OemInfoRecord& record) {
    const std::vector<std::string> lines = CrLfLines(bytes);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines.back(), "");
    for (std::size_t i = 0; i < 20; ++i) {
        const std::string start = kLineStarts[i];
        const std::string& line = lines[i];
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << i + 1;
        if (start.empty() || start[0] == '[') {
            EXPECT_EQ(line, start) << i + 1;
        } else {
            EXPECT_EQ(line.substr(0, start.size()), start) << i + 1;
        }
    }
    std::size_t texts = 0;
    for (const Field& field : kFields) {
        texts += ToAnsi(record.*field.member).size() * (field.line ? 1 : 14);
    }
    EXPECT_EQ(bytes.size(), 295 + texts);
}

TEST(TextSweep, EveryHostileTextInEveryFieldLeavesTwentyLines) {
    int cases = 0;
    test::TempFolder folder;
    test::TestPlatform platform;
    for (const auto& [what, text] : HostileTexts()) {
        for (const Field& field : kFields) {
            SCOPED_TRACE(std::string(what) + ", line " + std::to_string(field.line));
            OemInfoRecord record = Everyday();
            record.*field.member = text;
            const std::string bytes = OemInfoFileBytes(record);
            ExpectTwentyLines(bytes, record);
            // The file written is the same.
            ASSERT_TRUE(WriteOemInfoFile(platform, folder.Path(), record));
            EXPECT_EQ(test::ReadBytes(folder.Fs("oeminfo.ini")), bytes);
            ++cases;
        }
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"oeminfo.ini"});
    std::printf("text sweep (oeminfo.ini): %d cases\n", cases);
}

} // namespace
} // namespace qm
