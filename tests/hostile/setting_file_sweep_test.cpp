// program.cng as nobody but an intruder or a text editor would leave it: it reads
// as some path or as none, reading stops early in a huge file, and a path read
// that can name a file is saved and read again unchanged.

#include "graphics_program.h"
#include "hostile_setting_files.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qm {
namespace {

// No NUL, quote or line break, and short enough for Windows: what a file's path
// can be. Only such a path must survive being saved.
bool CanNameAFile(const std::wstring& path) {
    return path.size() < 32768 &&
           path.find_first_of(std::wstring(L"\"\r\n\0", 4)) == std::wstring::npos;
}

TEST(SettingFileSweep, EveryHostileFileReadsAsSomePathOrNone) {
    test::TempFolder folder;
    test::TestPlatform platform;
    platform.executableFolder = folder.Path();
    const std::filesystem::path file = folder.Fs("program.cng");
    int cases = 0, roundTrips = 0;
    for (const test::HostileSettingFile& setting : test::HostileSettingFiles()) {
        SCOPED_TRACE(setting.what);
        std::filesystem::remove_all(file);
        if (setting.asFolder) {
            std::filesystem::create_directory(file);
        } else {
            test::WriteBytes(file, setting.bytes);
        }
        platform.bytesRead = 0;
        const std::wstring path = LoadGraphicsProgramPath(platform);
        // Only the start of a big file is read.
        EXPECT_LE(platform.bytesRead, 64u * 1024);
        if (setting.expected) {
            EXPECT_TRUE(path == *setting.expected);
        }
        if (CanNameAFile(path)) {
            // Saved again as the launch does, it reads back the same.
            test::FakeCurrentPath current(path);
            LaunchGraphicsProgram(platform, current);
            EXPECT_TRUE(LoadGraphicsProgramPath(platform) == path);
            ++roundTrips;
        }
        ++cases;
    }
    std::printf("setting file sweep (program.cng): %d cases, %d saved and read again\n", cases,
                roundTrips);
}

} // namespace
} // namespace qm
