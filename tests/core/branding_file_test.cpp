#include "branding_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

// UTF-16 LE with its byte-order mark, from UTF-16 code units.
std::string Utf16Le(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string Lf(std::string text) {
    std::string out;
    for (char c : text) {
        if (c != '\r') {
            out.push_back(c);
        }
    }
    return out;
}

std::optional<BrandingFile> Parse(const std::string& bytes) {
    BrandingFileFault fault;
    std::optional<BrandingFile> file = ParseBrandingFile(bytes, fault);
    EXPECT_TRUE(file) << std::string(fault.message.begin(), fault.message.end());
    return file;
}

void ExpectSameRecord(const OemInfoRecord& a, const OemInfoRecord& b) {
    EXPECT_EQ(a.Manufacturer, b.Manufacturer);
    EXPECT_EQ(a.Model, b.Model);
    EXPECT_EQ(a.SupportName, b.SupportName);
    EXPECT_EQ(a.SupportEMail, b.SupportEMail);
    EXPECT_EQ(a.SupportPhone, b.SupportPhone);
    EXPECT_EQ(a.SupportFax, b.SupportFax);
    EXPECT_EQ(a.SupportAddress1, b.SupportAddress1);
    EXPECT_EQ(a.SupportAddress2, b.SupportAddress2);
    EXPECT_EQ(a.SupportWebsite, b.SupportWebsite);
    EXPECT_EQ(a.Quote, b.Quote);
}

const char kFullFile[] = "[Branding]\r\n"
                         "Manufacturer=Northwind Systems\r\n"
                         "Model=NW-200\r\n"
                         "SupportName=Service desk\r\n"
                         "SupportEMail=help@example.com\r\n"
                         "SupportPhone=555-0100\r\n"
                         "SupportFax=555-0101\r\n"
                         "SupportAddress1=1 Main Street\r\n"
                         "SupportAddress2=Springfield\r\n"
                         "SupportWebsite=http://example.com/help\r\n"
                         "Logo=logos\\nw.bmp\r\n";

TEST(BrandingFile, EveryKeyFillsItsFieldAndTheQuoteIsTheWindows) {
    const auto file = Parse(kFullFile);
    ASSERT_TRUE(file);
    ExpectSameRecord(file->record, {L"Northwind Systems", L"NW-200", L"Service desk",
                                    L"help@example.com", L"555-0100", L"555-0101", L"1 Main Street",
                                    L"Springfield", L"http://example.com/help", L"\""});
    EXPECT_EQ(file->logo, L"logos\\nw.bmp");
    EXPECT_EQ(file->logoLine, 11u);
}

TEST(BrandingFile, EachEncodingAndLineEndGivesTheSameTexts) {
    // "Müller & Söhne", a character beyond U+FFFF and a euro sign, as each
    // encoding writes them; the ANSI file has no character beyond its code page.
    const std::string utf8 = "[Branding]\r\nManufacturer=M\xC3\xBCller & S\xC3\xB6hne\r\n"
                             "Model=\xE2\x82\xAC 9 \xF0\x9F\x98\x80\r\n";
    const std::u16string utf16 = u"[Branding]\r\nManufacturer=M\u00FCller & S\u00F6hne\r\n"
                                 u"Model=\u20AC 9 \U0001F600\r\n";
    const std::string ansi = "[Branding]\r\nManufacturer=M\xFCller & S\xF6hne\r\nModel=\x80 9\r\n";

    std::wstring model = L"\u20AC 9 ";
    if constexpr (sizeof(wchar_t) == 2) {
        model += L"\xD83D\xDE00";
    } else {
        model += static_cast<wchar_t>(0x1F600);
    }
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::wstring model;
    };
    const Case cases[] = {
        {"UTF-8", utf8, TextEncoding::Utf8, model},
        {"UTF-8, LF", Lf(utf8), TextEncoding::Utf8, model},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8, TextEncoding::Utf8WithMark, model},
        {"UTF-16 LE", Utf16Le(utf16), TextEncoding::Utf16LeWithMark, model},
        {"UTF-16 LE, LF",
         Utf16Le(u"[Branding]\nManufacturer=M\u00FCller & S\u00F6hne\n"
                 u"Model=\u20AC 9 \U0001F600"),
         TextEncoding::Utf16LeWithMark, model},
        {"ANSI", ansi, TextEncoding::Ansi, L"\u20AC 9"},
        {"ANSI, LF", Lf(ansi), TextEncoding::Ansi, L"\u20AC 9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = Parse(c.bytes);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->encoding, c.encoding);
        EXPECT_EQ(file->record.Manufacturer, L"M\u00FCller & S\u00F6hne");
        EXPECT_EQ(file->record.Model, c.model);
    }
}

TEST(BrandingFile, WritingVariantsThatMeanTheSame) {
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring manufacturer;
        std::wstring model;
    };
    const Case cases[] = {
        {"blanks around keys, = and values", "  [ Branding ]  \n\tManufacturer \t=  A B \t\n",
         L"A B", L""},
        {"quotes are optional", "[Branding]\nManufacturer=\"A B\"\nModel=C\n", L"A B", L"C"},
        {"quotes keep blanks", "[Branding]\nManufacturer=\"  A  \"\n", L"  A  ", L""},
        {"quotes inside are kept", "[Branding]\nManufacturer=A \"B\" C\nModel=\"\"x\"\"\n",
         L"A \"B\" C", L"\"x\""},
        {"empty quotes", "[Branding]\nManufacturer=\"\"\nModel=\n", L"", L""},
        {"= and ; inside a value", "[Branding]\nManufacturer=a=b; c # d\n", L"a=b; c # d", L""},
        {"names in any case", "[BRANDING]\nmanufacturer=A\nMODEL=B\n", L"A", L"B"},
        {"comments and blank lines",
         "; a comment\n# another\n\n[Branding]\n  ; indented\n"
         "Manufacturer=A\n\n",
         L"A", L""},
        {"no line end after the last line", "[Branding]\r\nModel=B", L"", L"B"},
        {"only the section", "[Branding]\r\n", L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = Parse(c.bytes);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->record.Manufacturer, c.manufacturer);
        EXPECT_EQ(file->record.Model, c.model);
        EXPECT_EQ(file->record.SupportWebsite, L"");
        EXPECT_EQ(file->record.Quote, L"\"");
        EXPECT_EQ(file->logo, L"");
    }
}

TEST(BrandingFile, AFileOfExactlyTheLimitIsRead) {
    std::string bytes = "[Branding]\nModel=M\n";
    bytes.resize(kMaxBrandingFileSize, ' ');
    const auto file = Parse(bytes);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->record.Model, L"M");
}

struct Refusal {
    const char* name;
    std::string bytes;
    std::size_t line;
    std::wstring key;
    std::wstring says; // part of the message
};

std::vector<Refusal> Refusals() {
    std::string tooLarge = "[Branding]\n";
    tooLarge.resize(kMaxBrandingFileSize + 1, ' ');
    return {
        {"a typo in a key", "[Branding]\nModel=M\n\nSupportHouts=9-5\n", 4, L"SupportHouts",
         L"line 4: unknown key \"SupportHouts\""},
        {"a key given twice, in another case", "[Branding]\nModel=A\nManufacturer=B\nMODEL=C\n", 4,
         L"MODEL", L"first on line 2"},
        {"the logo given twice", "[Branding]\nLogo=a.bmp\nLogo=a.bmp\n", 3, L"Logo",
         L"given a second time"},
        {"another section", "[Branding]\nModel=M\n[General]\nModel=N\n", 3, L"General",
         L"unknown section \"General\""},
        {"the section twice", "[Branding]\n[branding]\n", 2, L"branding", L"first on line 1"},
        {"a key before the section", "Model=M\n[Branding]\n", 1, L"Model",
         L"comes before [Branding]"},
        {"a line without =", "[Branding]\nModel M\n", 2, L"", L"expected Key=Value"},
        {"a value without a key", "[Branding]\n = M\n", 2, L"", L"without a key"},
        {"an opening quote only", "[Branding]\nModel=\"M\n", 2, L"Model", L"one end only"},
        {"a closing quote only", "[Branding]\nModel=M\"\n", 2, L"Model", L"one end only"},
        {"a lone quote", "[Branding]\nModel=\"\n", 2, L"Model", L"one end only"},
        {"a header without ]", "[Branding\n", 1, L"[Branding", L"closing"},
        {"no section at all", "; nothing here\nModel=M\n", 2, L"Model", L"before [Branding]"},
        {"only comments", "; nothing here\r\n", 0, L"", L"no [Branding] section"},
        {"an empty file", "", 0, L"", L"no [Branding] section"},
        {"a NUL byte", std::string("[Branding]\nModel=A\0B\n", 21), 2, L"", L"U+0000"},
        {"a control character", "[Branding]\nModel=\x1B[31m\n", 2, L"", L"U+001B"},
        {"a lone CR", "[Branding]\rModel=M\r\n", 1, L"", L"carriage return"},
        {"a bitmap", std::string("BM\x36\x00\x00\x00\x00\x00", 8), 1, L"", L"not a text file"},
        {"UTF-16 without its mark", std::string("[\0B\0]\0", 6), 1, L"", L"U+0000"},
        {"bad UTF-8 after the mark", "\xEF\xBB\xBF[Branding]\nModel=A\n\xC3\x28\n", 3, L"",
         L"not valid UTF-8"},
        {"overlong UTF-8 after the mark", "\xEF\xBB\xBF[Branding]\nModel=\xC0\xAF\n", 2, L"",
         L"not valid UTF-8"},
        {"half a UTF-16 character", Utf16Le(u"[Branding]\n") + "M", 2, L"", L"half"},
        {"a lone surrogate", Utf16Le(u"[Branding]\nModel=\xD800x\n"), 2, L"", L"surrogate"},
        {"UTF-16 big-endian", "\xFE\xFF\0[", 1, L"", L"big-endian"},
        {"more than 1 MiB", tooLarge, 0, L"", L"larger than 1 MiB"},
    };
}

TEST(BrandingFile, EveryFaultIsNamedByItsLineAndKey) {
    for (const Refusal& r : Refusals()) {
        SCOPED_TRACE(r.name);
        BrandingFileFault fault;
        EXPECT_FALSE(ParseBrandingFile(r.bytes, fault));
        EXPECT_EQ(fault.line, r.line);
        EXPECT_EQ(fault.key, r.key);
        const std::string message(fault.message.begin(), fault.message.end());
        EXPECT_NE(fault.message.find(r.says), std::wstring::npos) << message;
        if (r.line != 0) {
            EXPECT_EQ(fault.message.rfind(L"line " + std::to_wstring(r.line) + L": ", 0), 0u)
                << message;
        }
        if (!r.key.empty()) {
            EXPECT_NE(fault.message.find(r.key), std::wstring::npos) << message;
        }
    }
}

TEST(BrandingFile, AnEndlessNameIsCutShortInTheMessage) {
    const std::string key(100000, 'K');
    BrandingFileFault fault;
    EXPECT_FALSE(ParseBrandingFile("[Branding]\n" + key + "=1\n", fault));
    EXPECT_EQ(fault.key.size(), key.size());
    EXPECT_LT(fault.message.size(), 400u);
}

} // namespace
} // namespace qm
