#include "ansi_text.h"
#include "crlf_lines.h"
#include "oem_info_file.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::TestPlatform;

std::string Fixture(const char* name) {
    const auto bytes = ReadBytes(std::filesystem::path(QM_FIXTURES_DIR) / name);
    if (!bytes) {
        ADD_FAILURE() << "missing fixture " << name;
        return {};
    }
    return *bytes;
}

OemInfoRecord EmptyFields(const std::wstring& quote = L"\"") {
    OemInfoRecord record;
    record.Quote = quote;
    return record;
}

TEST(OemInfoFile, EmptyFieldsGiveTheThreeHundredNineByteFile) {
    const std::string expected = Fixture("oeminfo_empty_fields.ini");
    ASSERT_EQ(expected.size(), 309u);
    EXPECT_EQ(OemInfoFileBytes(EmptyFields()), expected);

    TempFolder folder;
    TestPlatform platform;
    EXPECT_TRUE(WriteOemInfoFile(platform, folder.Path(), EmptyFields()));
    EXPECT_EQ(ReadBytes(folder.Fs("oeminfo.ini")), expected);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"oeminfo.ini"});
}

TEST(OemInfoFile, AnEmptyQuoteGivesTheTwoHundredNinetyFiveByteFile) {
    const std::string expected = Fixture("oeminfo_empty_quote.ini");
    ASSERT_EQ(expected.size(), 295u);
    EXPECT_EQ(OemInfoFileBytes(EmptyFields(L"")), expected);
}

TEST(OemInfoFile, LineNineIsTheThirtyThreeBytesOfTheExample) {
    const unsigned char line9[] = {0x4C, 0x69, 0x6E, 0x65, 0x31, 0x3D, 0x22, 0x53, 0x75,
                                   0x70, 0x70, 0x6F, 0x72, 0x74, 0x20, 0x4E, 0x61, 0x6D,
                                   0x65, 0x3A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20,
                                   0x20, 0x20, 0x20, 0x22, 0x0D, 0x0A};
    const std::string bytes = OemInfoFileBytes(EmptyFields());
    const std::string::size_type start = bytes.find("Line1=");
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(bytes.substr(start, sizeof(line9)),
              std::string(reinterpret_cast<const char*>(line9), sizeof(line9)));
}

struct FieldCase {
    std::wstring OemInfoRecord::*field;
    int line; // 1-based
    const wchar_t* value;
    std::size_t ansiLength;
};

// Each value lands in its own line: at the end of lines 3 and 5, before the
// closing quote of a support line; the file grows by its ANSI length only.
const FieldCase kFieldCases[] = {
    {&OemInfoRecord::Manufacturer, 3, L"Acme Computers", 14},
    {&OemInfoRecord::Model, 5, L"Tower 9000", 10},
    {&OemInfoRecord::SupportName, 9, L"M\u00FCller & S\u00F6hne", 14},
    {&OemInfoRecord::SupportEMail, 11, L"help@example.com", 16},
    {&OemInfoRecord::SupportPhone, 13, L"+49 30 1234567", 14},
    {&OemInfoRecord::SupportFax, 15, L"\u20AC 0,12/min", 10},
    {&OemInfoRecord::SupportAddress1, 17, L"Hauptstra\u00DFe 1", 13},
    {&OemInfoRecord::SupportAddress2, 18, L"12345 Berlin", 12},
    {&OemInfoRecord::SupportWebsite, 20, L"www.example.com", 15},
    {&OemInfoRecord::SupportName, 9, L"x", 1},
    {&OemInfoRecord::Manufacturer, 3, L"", 0},
};

TEST(OemInfoFile, EachFieldAddsExactlyItsAnsiLengthInItsLine) {
    const std::vector<std::string> emptyLines = CrLfLines(Fixture("oeminfo_empty_fields.ini"));
    for (const FieldCase& c : kFieldCases) {
        OemInfoRecord record = EmptyFields();
        record.*c.field = c.value;
        const std::string value = ToAnsi(c.value);
        ASSERT_EQ(value.size(), c.ansiLength) << c.line;

        const std::string bytes = OemInfoFileBytes(record);
        EXPECT_EQ(bytes.size(), 309 + c.ansiLength) << c.line;
        std::vector<std::string> expected = emptyLines;
        std::string& line = expected[static_cast<std::size_t>(c.line - 1)];
        line.insert(c.line <= 5 ? line.size() : line.size() - 1, value);
        EXPECT_EQ(CrLfLines(bytes), expected) << c.line;
    }
}

TEST(OemInfoFile, WritesSpecialCharactersAndBlanksUnchanged) {
    OemInfoRecord record = EmptyFields();
    record.Manufacturer = L"  [Acme] = \"Best\"  ";
    record.SupportName = L" \"quoted\" ";
    record.SupportWebsite = L"[Support Information]";
    record.SupportFax = L"a=b";
    const std::vector<std::string> lines = CrLfLines(OemInfoFileBytes(record));
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[2], "Manufacturer =   [Acme] = \"Best\"  ");
    EXPECT_EQ(lines[8], "Line1=\"Support Name:           \"quoted\" \"");
    EXPECT_EQ(lines[14], "Line4=\"Support Fax:             a=b\"");
    EXPECT_EQ(lines[19], "Line7=\"Support Website:      [Support Information]\"");
    EXPECT_EQ(lines[20], "");
}

TEST(OemInfoFile, PutsTheQuoteVerbatimInAllFourteenPlaces) {
    const std::vector<std::string> lines = CrLfLines(OemInfoFileBytes(EmptyFields(L"<'>")));
    const std::size_t supportLines[] = {8, 10, 12, 14, 16, 17, 19};
    for (std::size_t index : supportLines) {
        const std::string& line = lines[index];
        EXPECT_EQ(line.substr(6, 3), "<'>") << line;
        EXPECT_EQ(line.substr(line.size() - 3), "<'>") << line;
    }
    EXPECT_EQ(OemInfoFileBytes(EmptyFields(L"<'>")).size(), 295u + 14 * 3);
}

TEST(OemInfoFile, ALineBreakInATextBecomesABlankAndAddsNoLine) {
    OemInfoRecord record = EmptyFields(L"\"\r\n");
    record.Manufacturer = L"Acme\r\n[Evil]\r\nLine1=x";
    record.Model = L"\nM\r";
    record.SupportAddress1 = L"1 Main St\r\nAnytown";
    const std::vector<std::string> lines = CrLfLines(OemInfoFileBytes(record));
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[2], "Manufacturer = Acme  [Evil]  Line1=x");
    EXPECT_EQ(lines[4], "Model =  M ");
    EXPECT_EQ(lines[16], "Line5=\"  Support Address 1:   1 Main St  Anytown\"  ");
    EXPECT_EQ(lines[6], "[Support Information]");
    EXPECT_EQ(OemInfoFileBytes(record).size(), 309u + 14 * 2 + 21 + 3 + 18);
}

TEST(OemInfoFile, ACharacterOutsideTheCodePageBecomesTheSubstitute) {
    OemInfoRecord record = EmptyFields();
    record.SupportName = L"\u4E2D";
    EXPECT_EQ(CrLfLines(OemInfoFileBytes(record))[8],
              std::string("Line1=\"Support Name:          ") + test::SubstituteCharacter() + "\"");
}

TEST(OemInfoFile, ReplacesALongerEarlierFileCompletely) {
    TempFolder folder;
    test::WriteBytes(folder.Fs("oeminfo.ini"), std::string(5000, 'x') + "\r\n[Old]\r\n");
    TestPlatform platform;
    OemInfoRecord record = EmptyFields();
    record.Manufacturer = L"Acme";
    ASSERT_TRUE(WriteOemInfoFile(platform, folder.Path(), record));
    EXPECT_EQ(ReadBytes(folder.Fs("oeminfo.ini")), OemInfoFileBytes(record));
    ASSERT_TRUE(WriteOemInfoFile(platform, folder.Path(), record));
    EXPECT_EQ(ReadBytes(folder.Fs("oeminfo.ini")), OemInfoFileBytes(record));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"oeminfo.ini"});
}

} // namespace
} // namespace qm
