// Paths at and past the limits, through the commands on the real file system:
// a system folder of exactly 254 bytes works and one of 255 touches nothing;
// folders and names outside the code page are copied from.

#include "ansi_text.h"
#include "branding_commands.h"
#include "get_system_folder.h"
#include "logo_installation.h"
#include "oem_info_file.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::TestPlatform;
using test::WriteBytes;

struct RealFolder {
    fs::path fs;
    std::wstring program; // as the program names it
};

// Creates folders below base until the program's name of the deepest one is
// exactly length characters long.
RealFolder FolderOfLength(const TempFolder& base, std::size_t length) {
    RealFolder folder{base.Fs(), base.Path()};
    std::size_t remaining = length - folder.program.size();
    char letter = 'a';
    while (remaining > 0) {
        // Names of up to 100 characters, never leaving room for only a separator.
        std::size_t size = remaining - 1;
        if (size > 100) {
            size = remaining - 1 > 200 ? 100 : (remaining - 1) / 2;
        }
        const std::string name(size, letter++);
        folder.fs /= name;
        folder.program += L"\\" + std::wstring(name.begin(), name.end());
        remaining -= size + 1;
    }
    fs::create_directories(folder.fs);
    return folder;
}

OemInfoRecord Record() {
    OemInfoRecord record;
    record.Manufacturer = L"Long Path Computers";
    record.Quote = L"\"";
    return record;
}

class SystemFolderLength : public testing::Test {
protected:
    void SetUp() override { WriteBytes(pictures.Fs("logo.bmp"), logo); }
    TempFolder base;
    TempFolder pictures;
    TestPlatform platform;
    const std::string logo = test::PatternBytes(5000, 4);
};

TEST_F(SystemFolderLength, TwoHundredFiftyFourBytesWork) {
    const RealFolder system = FolderOfLength(base, 254);
    ASSERT_EQ(ToAnsi(system.program).size(), 254u);
    platform.systemFolder = ToAnsi(system.program);
    ASSERT_EQ(GetSystemFolderPath(platform), system.program);

    ApplyChanges(platform, Record());
    EXPECT_EQ(ReadBytes(system.fs / "oeminfo.ini"), OemInfoFileBytes(Record()));
    EXPECT_TRUE(InstallOemLogo(platform, pictures.Path(), L"logo.bmp"));
    EXPECT_EQ(ReadBytes(system.fs / "oemlogo.bmp"), logo);
    PreviewChanges(platform, Record());
    ASSERT_EQ(platform.started.size(), 1u);
    EXPECT_EQ(platform.started[0].application, system.program + L"\\rundll32.exe");
    RemoveOemFiles(platform);
    EXPECT_TRUE(fs::is_empty(system.fs));
}

TEST_F(SystemFolderLength, TwoHundredFiftyFiveBytesTouchNothing) {
    const RealFolder system = FolderOfLength(base, 255);
    ASSERT_EQ(ToAnsi(system.program).size(), 255u);
    WriteBytes(system.fs / "oeminfo.ini", "earlier");
    platform.systemFolder = ToAnsi(system.program);
    EXPECT_FALSE(GetSystemFolderPath(platform));

    ApplyChanges(platform, Record());
    PreviewChanges(platform, Record());
    EXPECT_FALSE(InstallOemLogo(platform, pictures.Path(), L"logo.bmp"));
    RemoveOemFiles(platform);
    EXPECT_TRUE(platform.created.empty());
    EXPECT_TRUE(platform.removed.empty());
    EXPECT_TRUE(platform.started.empty());
    EXPECT_EQ(ReadBytes(system.fs / "oeminfo.ini"), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(system.fs), fs::directory_iterator()), 1);
}

// The logo from folders and files the code page cannot name: core's paths are
// wide all the way, so nothing stops them.
TEST(SourcePaths, NamesOutsideTheCodePageAreCopiedWhole) {
    TempFolder system;
    TempFolder pictures;
    TestPlatform platform;
    platform.systemFolder = ToAnsi(system.Path());
    const std::string logo = test::PatternBytes(3000, 9);

    const fs::path foreignFolder =
        pictures.Fs() / fs::u8path(u8"\u03A9\u03BC\u03AD\u03B3\u03B1 \u65E5\u672C \U0001F642");
    const fs::path foreignName = fs::u8path(u8"\u30ED\u30B4 \u2713.bmp");
    fs::create_directory(foreignFolder);
    const fs::path sources[] = {foreignFolder / "logo.bmp", pictures.Fs() / foreignName,
                                foreignFolder / foreignName};
    for (const fs::path& source : sources) {
        SCOPED_TRACE(&source - sources);
        WriteBytes(source, logo);
        WriteBytes(system.Fs("oemlogo.bmp"), "BM earlier");
        const std::wstring folder = test::ProgramPath(source.parent_path());
        const std::wstring name = test::ProgramPath(source).substr(folder.size() + 1);
        EXPECT_TRUE(InstallOemLogo(platform, folder, name));
        EXPECT_EQ(ReadBytes(system.Fs("oemlogo.bmp")), logo);
        EXPECT_EQ(system.Names(), std::vector<std::string>{"oemlogo.bmp"});
    }
    std::printf("path sweep (core): system folders of 254 and 255 bytes, %zu logo sources "
                "outside the code page\n",
                std::size(sources));
}

} // namespace
} // namespace qm
