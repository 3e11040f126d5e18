// The command line's run as a whole, on a system folder of the test's own: what
// each command changes, the lines it prints and its exit code.

#include "ansi_text.h"
#include "branding_commands.h"
#include "branding_file.h"
#include "branding_request.h"
#include "temp_folder.h"
#include "test_platform.h"
#include "unattended_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace qm {
namespace {

using test::PatternBytes;
using test::ReadBytes;
using test::TempFolder;
using test::TestPlatform;
using test::WriteBytes;

namespace fs = std::filesystem;

class RecordedLines : public ConsoleLines {
public:
    void Line(const std::wstring& text) override { lines.push_back(text); }
    bool Has(const std::wstring& part) const {
        for (const std::wstring& line : lines) {
            if (line.find(part) != std::wstring::npos) {
                return true;
            }
        }
        return false;
    }
    std::string All() const {
        std::string all;
        for (const std::wstring& line : lines) {
            all += std::string(line.begin(), line.end()) + "\n";
        }
        return all;
    }
    std::vector<std::wstring> lines;
};

// A one-bit bitmap of 4 x 2 pixels that the preview takes.
std::string SmallBitmap() {
    std::string bytes = "BM";
    const auto put32 = [&](unsigned v) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    const auto put16 = [&](unsigned v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>(v >> 8));
    };
    put32(14 + 40 + 8 + 8), put16(0), put16(0), put32(14 + 40 + 8);
    put32(40), put32(4), put32(2), put16(1), put16(1), put32(0), put32(8), put32(0), put32(0),
        put32(2), put32(0);
    put32(0x00FFFFFF), put32(0);
    put32(0xA0), put32(0x50);
    return bytes;
}

const char kBrandingText[] = "[Branding]\r\n"
                             "Manufacturer=Tessaly Systems\r\n"
                             "Model=TS-200\r\n"
                             "SupportName=Service desk\r\n"
                             "SupportEMail=help@example.com\r\n"
                             "SupportPhone=555-0100\r\n"
                             "SupportFax=555-0101\r\n"
                             "SupportAddress1=\"1 Harbour Road \"\r\n"
                             "SupportAddress2=Springfield\r\n"
                             "SupportWebsite=http://example.com/\r\n";

OemInfoRecord BrandingRecord() {
    return {L"Tessaly Systems",
            L"TS-200",
            L"Service desk",
            L"help@example.com",
            L"555-0100",
            L"555-0101",
            L"1 Harbour Road ",
            L"Springfield",
            L"http://example.com/",
            L"\""};
}

// Every file in a folder with its bytes, to see that nothing changed.
std::map<std::string, std::string> Contents(const TempFolder& folder) {
    std::map<std::string, std::string> contents;
    for (const std::string& name : folder.Names()) {
        contents[name] = ReadBytes(folder.Fs(name)).value_or("<unreadable>");
    }
    return contents;
}

class UnattendedRun : public testing::Test {
protected:
    UnattendedRun() {
        platform.systemFolder = ToAnsi(system.Path());
        WriteBytes(files.Fs("logo.bmp"), SmallBitmap());
    }

    int Run(const std::vector<std::wstring>& arguments) {
        lines = RecordedLines();
        return RunUnattended(arguments, platform, lines);
    }

    // What the first change prints: the machine's branding was backed up.
    std::wstring BackupLine() const {
        return L"done: back up branding to " + *platform.machineDataFolder +
               L"\\Quorvane Marquelle XP\\Branding backup.bin";
    }

    // A new branding file of that text in the test's own folder.
    std::wstring File(const std::string& text) {
        const std::string name = "brand " + std::to_string(++filesMade) + ".ini";
        WriteBytes(files.Fs(name), text);
        return files.Path(std::wstring(name.begin(), name.end()));
    }

    TempFolder system;
    TempFolder files;
    TestPlatform platform;
    RecordedLines lines;
    int filesMade = 0;
};

TEST_F(UnattendedRun, ApplyWritesWhatTheWindowsApplyWrites) {
    EXPECT_EQ(Run({L"/apply", File(kBrandingText)}), kExitDone) << lines.All();

    TempFolder windowSystem;
    TestPlatform window;
    window.systemFolder = ToAnsi(windowSystem.Path());
    ApplyChanges(window, BrandingRecord());
    EXPECT_EQ(ReadBytes(system.Fs("oeminfo.ini")), ReadBytes(windowSystem.Fs("oeminfo.ini")));
    EXPECT_EQ(system.Names(), std::vector<std::string>{"oeminfo.ini"});
    EXPECT_EQ(lines.lines, (std::vector<std::wstring>{
                               BackupLine(), L"done: write file " + system.Path(L"oeminfo.ini")}));
}

TEST_F(UnattendedRun, ApplyWithALogoCopiesItByteForByte) {
    fs::create_directory(files.Fs("art"));
    WriteBytes(files.Fs("art") / "logo.bmp", SmallBitmap() + PatternBytes(300, 4));
    const std::wstring file = File(std::string(kBrandingText) + "Logo=art\\logo.bmp\r\n");
    EXPECT_EQ(Run({L"-APPLY", file}), kExitDone) << lines.All();
    EXPECT_EQ(ReadBytes(system.Fs("oemlogo.bmp")), ReadBytes(files.Fs("art") / "logo.bmp"));
    EXPECT_EQ(ReadBytes(system.Fs("oeminfo.ini")), OemInfoFileBytes(BrandingRecord()));
    ASSERT_EQ(lines.lines.size(), 3u);
    EXPECT_EQ(lines.lines[2], L"done: copy file " + system.Path(L"oemlogo.bmp") + L" from " +
                                  files.Path(L"art") + L"\\logo.bmp");
}

TEST_F(UnattendedRun, RemoveDeletesBothFilesAndSaysWhatWasNotThere) {
    WriteBytes(system.Fs("oeminfo.ini"), "old");
    WriteBytes(system.Fs("oemlogo.bmp"), "BM");
    EXPECT_EQ(Run({L"/remove"}), kExitDone) << lines.All();
    EXPECT_TRUE(system.Names().empty());
    EXPECT_EQ(lines.lines, (std::vector<std::wstring>{
                               BackupLine(), L"done: remove file " + system.Path(L"oeminfo.ini"),
                               L"done: remove file " + system.Path(L"oemlogo.bmp")}));

    EXPECT_EQ(Run({L"-Remove"}), kExitDone);
    EXPECT_TRUE(lines.Has(L"nothing to do: remove file " + system.Path(L"oemlogo.bmp") +
                          L" (it was not there)"))
        << lines.All();
}

TEST_F(UnattendedRun, AChangeThatFailsGivesOneAndSaysWhereAndWhy) {
    platform.failCreate = true;
    EXPECT_EQ(Run({L"/apply", File(kBrandingText + std::string("Logo=logo.bmp\n"))}),
              kExitChangeFailed);
    ASSERT_EQ(lines.lines.size(), 3u) << lines.All();
    EXPECT_EQ(lines.lines[0], BackupLine());
    EXPECT_EQ(lines.lines[1].rfind(L"failed: write file " + system.Path(L"oeminfo.ini") + L": ", 0),
              0u)
        << lines.All();
    EXPECT_EQ(lines.lines[2].rfind(L"failed: copy file " + system.Path(L"oemlogo.bmp"), 0), 0u)
        << lines.All();
    EXPECT_TRUE(system.Names().empty());

    platform.failCreate = false;
    WriteBytes(system.Fs("oeminfo.ini"), "old");
    WriteBytes(system.Fs("oemlogo.bmp"), "BM");
    platform.undeletable.insert(system.Path(L"oeminfo.ini"));
    EXPECT_EQ(Run({L"/remove"}), kExitChangeFailed);
    EXPECT_EQ(lines.lines[0].rfind(L"failed: remove file " + system.Path(L"oeminfo.ini"), 0), 0u)
        << lines.All();
    EXPECT_EQ(lines.lines[1], L"done: remove file " + system.Path(L"oemlogo.bmp"));
}

TEST_F(UnattendedRun, WithoutASystemFolderNothingCanBeBackedUpSoNothingChanges) {
    platform.systemFolder.reset();
    EXPECT_EQ(Run({L"/apply", File(kBrandingText)}), kExitChangeFailed);
    EXPECT_EQ(lines.lines,
              (std::vector<std::wstring>{L"failed: find system folder",
                                         L"error: the branding this PC has now could not be "
                                         L"backed up, so nothing was changed."}));
}

TEST_F(UnattendedRun, HelpPrintsTheUsageInEveryForm) {
    for (const wchar_t* help : {L"/?", L"-?", L"/help", L"-HELP", L"/Help"}) {
        EXPECT_EQ(Run({help}), kExitDone) << help;
        EXPECT_TRUE(lines.Has(L"/apply FILE")) << lines.All();
        EXPECT_TRUE(lines.Has(L"/remove")) << lines.All();
        EXPECT_TRUE(lines.Has(L"/?, /help")) << lines.All();
        EXPECT_TRUE(lines.Has(L"2 nothing was changed")) << lines.All();
    }
    EXPECT_TRUE(system.Names().empty());
}

TEST_F(UnattendedRun, AWrongRequestChangesNothingAndGivesTwo) {
    WriteBytes(system.Fs("oeminfo.ini"), "the earlier file\r\n");
    WriteBytes(system.Fs("oemlogo.bmp"), SmallBitmap());
    const auto before = Contents(system);

    std::string tooLarge = kBrandingText;
    tooLarge.resize(kMaxBrandingFileSize + 1, ' ');
    fs::create_directory(files.Fs("folder.bmp"));
    WriteBytes(files.Fs("text.bmp"), "not a bitmap\r\n");
    WriteBytes(files.Fs("short.bmp"), SmallBitmap().substr(0, 60));

    struct Case {
        const char* name;
        std::vector<std::wstring> arguments;
        std::wstring says;
    };
    const Case cases[] = {
        {"no switch", {}, L"no switch"},
        {"a misspelt switch", {L"/aply", File(kBrandingText)}, L"unknown switch \"/aply\""},
        {"a file without a switch", {File(kBrandingText)}, L"unknown switch"},
        {"a bare slash", {L"/"}, L"unknown switch"},
        {"two dashes", {L"--apply", File(kBrandingText)}, L"unknown switch"},
        {"apply without its file", {L"/apply"}, L"needs its FILE"},
        {"apply with an empty file name", {L"/apply", L""}, L"needs its FILE"},
        {"apply with two files", {L"/apply", File(kBrandingText), L"x"}, L"\"x\" is one argument"},
        {"remove with an argument", {L"/remove", L"all"}, L"\"all\" is one argument"},
        {"help with an argument", {L"/?", L"apply"}, L"one argument too many"},
        {"a missing file", {L"/apply", files.Path(L"missing.ini")}, L"cannot be opened"},
        {"a folder", {L"/apply", files.Path()}, L"the branding file"},
        {"a typo in a key",
         {L"/apply", File("[Branding]\nSupportHouts=9-5\n")},
         L"line 2: unknown key \"SupportHouts\""},
        {"a key twice", {L"/apply", File("[Branding]\nModel=A\nModel=B\n")}, L"line 3"},
        {"a larger file", {L"/apply", File(tooLarge)}, L"larger than 1 MiB"},
        {"a binary file", {L"/apply", File(SmallBitmap())}, L"not a text file"},
        {"a missing logo",
         {L"/apply", File("[Branding]\nLogo=gone.bmp\n")},
         L"gone.bmp (line 2) cannot be opened"},
        {"a logo that is text",
         {L"/apply", File("[Branding]\nModel=M\nLogo=text.bmp\n")},
         L"text.bmp (line 3) is not a bitmap"},
        {"a cut-off bitmap",
         {L"/apply", File("[Branding]\nLogo=\"short.bmp\"\n")},
         L"is not a bitmap"},
        {"a folder as the logo",
         {L"/apply", File("[Branding]\nLogo=folder.bmp\n")},
         L"folder.bmp (line 2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.steps.clear();
        EXPECT_EQ(Run(c.arguments), kExitBadRequest);
        EXPECT_TRUE(lines.Has(L"error: ")) << lines.All();
        EXPECT_TRUE(lines.Has(c.says)) << lines.All();
        ASSERT_FALSE(lines.lines.empty());
        EXPECT_EQ(lines.lines.back(), L"Nothing was changed.");
        EXPECT_EQ(Contents(system), before);
        for (const test::PlatformStep& step : platform.steps) {
            EXPECT_EQ(step.kind, "open") << std::string(step.path.begin(), step.path.end());
        }
    }
}

TEST(LogoPath, RelativeToTheBrandingFilesFolderUnlessAbsolute) {
    struct Case {
        const wchar_t* file;
        const wchar_t* logo;
        const wchar_t* path;
    };
    const Case cases[] = {
        {L"C:\\deploy\\brand.ini", L"logo.bmp", L"C:\\deploy\\logo.bmp"},
        {L"C:\\deploy\\brand.ini", L"art\\logo.bmp", L"C:\\deploy\\art\\logo.bmp"},
        {L"C:\\deploy\\brand.ini", L"..\\logo.bmp", L"C:\\deploy\\..\\logo.bmp"},
        {L"C:/deploy/brand.ini", L"logo.bmp", L"C:/deploy/logo.bmp"},
        {L"C:\\deploy\\brand.ini", L"D:\\art\\logo.bmp", L"D:\\art\\logo.bmp"},
        {L"C:\\deploy\\brand.ini", L"\\\\server\\art\\logo.bmp", L"\\\\server\\art\\logo.bmp"},
        {L"C:\\deploy\\brand.ini", L"\\art\\logo.bmp", L"\\art\\logo.bmp"},
        {L"brand.ini", L"logo.bmp", L"logo.bmp"},
        {L"D:brand.ini", L"logo.bmp", L"D:logo.bmp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LogoPathFor(c.file, c.logo), c.path);
    }
}

} // namespace
} // namespace qm
