#include "ansi_text.h"
#include "branding_commands.h"
#include "get_system_folder.h"
#include "graphics_program.h"
#include "logo_installation.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::TestPlatform;

// n bytes of folder text; some lengths end in a blank, a backslash or a byte
// above 0x7F, which must come back as they are.
std::string FolderOfLength(std::size_t n) {
    const std::string pattern = "C:\\Windows \xE4\\System32\\";
    std::string folder;
    while (folder.size() < n) {
        folder += pattern;
    }
    return folder.substr(0, n);
}

TEST(GetSystemFolderPath, ReturnsEveryPathThatFitsExactly) {
    for (std::size_t n = 1; n <= 254; ++n) {
        TestPlatform platform;
        platform.systemFolder = FolderOfLength(n);
        const auto folder = GetSystemFolderPath(platform);
        ASSERT_TRUE(folder.has_value()) << n;
        EXPECT_EQ(*folder, FromAnsi(FolderOfLength(n))) << n;
        EXPECT_EQ(folder->size(), n);
    }
}

TEST(GetSystemFolderPath, HandsOverTwoHundredFiftyFiveBlanks) {
    TestPlatform platform;
    platform.systemFolder = "C:\\WINDOWS\\system32";
    GetSystemFolderPath(platform);
    EXPECT_EQ(platform.bufferHandedOver, std::string(255, ' '));
    EXPECT_EQ(platform.sizeHandedOver, 255u);
}

TEST(GetSystemFolderPath, FailsForPathsThatDoNotFitAndWhenThePlatformFails) {
    for (const std::size_t n : {255u, 256u, 400u}) {
        TestPlatform platform;
        platform.systemFolder = FolderOfLength(n);
        EXPECT_FALSE(GetSystemFolderPath(platform).has_value()) << n;
    }
    TestPlatform failing;
    EXPECT_FALSE(GetSystemFolderPath(failing).has_value());
    EXPECT_FALSE(GetSystemFolderPath(failing).has_value());
}

TEST(GetSystemFolderPath, GivesTheSameAnswerTwice) {
    TestPlatform platform;
    platform.systemFolder = "C:\\WINDOWS\\system32";
    EXPECT_EQ(GetSystemFolderPath(platform), GetSystemFolderPath(platform));
    EXPECT_EQ(*GetSystemFolderPath(platform) + L"\\oeminfo.ini",
              L"C:\\WINDOWS\\system32\\oeminfo.ini");
}

TEST(GetSystemFolderPath, WithoutAFolderNoCommandTouchesAnyFile) {
    test::TempFolder source;
    test::WriteBytes(source.Fs("logo.bmp"), "BM");
    TestPlatform platform; // every query fails
    OemInfoRecord record;
    record.Manufacturer = L"Acme";

    ApplyChanges(platform, record);
    PreviewChanges(platform, record);
    RemoveOemFiles(platform);
    EXPECT_FALSE(InstallOemLogo(platform, source.Path(), L"logo.bmp"));

    EXPECT_EQ(platform.systemFolderQueries, 5);
    EXPECT_TRUE(platform.created.empty());
    EXPECT_TRUE(platform.removed.empty());
    EXPECT_TRUE(platform.started.empty());
    // No file named by the blank buffer appeared where the process runs.
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        EXPECT_NE(entry.path().filename().string().rfind(' ', 0), 0u) << entry.path();
    }
}

} // namespace
} // namespace qm
