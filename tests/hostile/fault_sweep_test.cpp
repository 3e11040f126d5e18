// The three files the program writes, against a disk that fills at each byte and
// a process killed at each byte of the temporary file and just before the move:
// afterwards each file is its whole earlier version or its whole new one, and a
// later write that succeeds leaves no temporary file behind.

#include "ansi_text.h"
#include "branding_commands.h"
#include "file_replacement.h"
#include "graphics_program.h"
#include "killable_platform.h"
#include "logo_installation.h"
#include "oem_info_file.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace qm {
namespace {

using test::FaultPlatform;
using test::Killed;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// One file the program writes: where it lies, its earlier and its new bytes, and
// the command that writes it.
struct Target {
    std::string name;
    std::string earlier;
    std::string newer;
    std::function<bool(Platform&)> write;
};

class FaultSweep : public testing::Test {
protected:
    void SetUp() override {
        platform.systemFolder = ToAnsi(folder.Path());
        platform.executableFolder = folder.Path();
    }

    // Everything back to the earlier file alone, and no fault armed.
    void Restore(const Target& target) {
        std::filesystem::remove(Temporary(target));
        WriteBytes(folder.Fs(target.name), target.earlier);
        platform.writeBudget.reset();
        platform.killAfterBytes.reset();
        platform.killBeforeMove = false;
    }
    std::filesystem::path Temporary(const Target& target) const {
        std::filesystem::path path = folder.Fs(target.name);
        path += std::filesystem::path(TemporaryPathFor(L""));
        return path;
    }
    bool Run(const Target& target) {
        try {
            return target.write(platform);
        } catch (const Killed&) {
            killed = true;
            return false;
        }
    }
    std::vector<std::string> Only(const Target& target) const { return {target.name}; }

    // A later write that succeeds puts the new file in place and nothing beside it.
    void ExpectALaterWriteCleansUp(const Target& target) {
        platform.writeBudget.reset();
        platform.killAfterBytes.reset();
        platform.killBeforeMove = false;
        EXPECT_TRUE(Run(target));
        EXPECT_EQ(ReadBytes(folder.Fs(target.name)), target.newer);
        EXPECT_EQ(folder.Names(), Only(target));
    }

    // Returns the number of cases tried.
    int Sweep(const Target& target) {
        SCOPED_TRACE(target.name);
        int cases = 0;
        const std::size_t size = target.newer.size();
        // The disk fills after each number of bytes, none to all of them.
        for (std::size_t budget = 0; budget <= size; ++budget, ++cases) {
            Restore(target);
            platform.writeBudget = budget;
            const bool written = Run(target);
            EXPECT_EQ(written, budget == size) << budget;
            EXPECT_EQ(ReadBytes(folder.Fs(target.name)), written ? target.newer : target.earlier)
                << budget;
            EXPECT_EQ(folder.Names(), Only(target)) << budget;
        }
        // Killed after each number of bytes of the temporary file.
        for (std::size_t bytes = 0; bytes < size; ++bytes, ++cases) {
            Restore(target);
            killed = false;
            platform.killAfterBytes = bytes;
            EXPECT_FALSE(Run(target));
            EXPECT_TRUE(killed) << bytes;
            EXPECT_EQ(ReadBytes(folder.Fs(target.name)), target.earlier) << bytes;
            EXPECT_EQ(ReadBytes(Temporary(target)), target.newer.substr(0, bytes)) << bytes;
            ExpectALaterWriteCleansUp(target);
        }
        // Killed with the whole temporary file written, before the move.
        {
            Restore(target);
            killed = false;
            platform.killBeforeMove = true;
            EXPECT_FALSE(Run(target));
            EXPECT_TRUE(killed);
            EXPECT_EQ(ReadBytes(folder.Fs(target.name)), target.earlier);
            EXPECT_EQ(ReadBytes(Temporary(target)), target.newer);
            ExpectALaterWriteCleansUp(target);
            ++cases;
        }
        // A leftover, then a write that fails half-way: the leftover goes too.
        {
            Restore(target);
            WriteBytes(Temporary(target), target.newer.substr(0, size / 3));
            platform.writeBudget = size / 2;
            EXPECT_FALSE(Run(target));
            EXPECT_EQ(ReadBytes(folder.Fs(target.name)), target.earlier);
            EXPECT_EQ(folder.Names(), Only(target));
            ++cases;
        }
        return cases;
    }

    TempFolder folder;
    FaultPlatform platform;
    bool killed = false;
};

OemInfoRecord RecordNamed(const std::wstring& maker) {
    return {maker,       L"Model 7",       L"Dorran Pellicott", L"help@example.com",    L"555-0100",
            L"555-0101", L"1 Main Street", L"Anytown",          L"http://example.com/", L"\""};
}

// A 172 x 100 logo at one bit per pixel, the smallest a real logo comes in.
std::string LogoBytes(unsigned seed) {
    const std::size_t size = 62 + 24 * 100;
    std::string bytes = test::PatternBytes(size, seed);
    bytes.replace(0, 2, "BM");
    return bytes;
}

void Report(const Target& target, int cases) {
    std::printf("fault sweep: %s of %zu bytes: %d cases\n", target.name.c_str(),
                target.newer.size(), cases);
}

TEST_F(FaultSweep, OemInfoIsWholeEarlierOrWholeNew) {
    const OemInfoRecord record = RecordNamed(L"New Maker");
    const std::wstring systemFolder = folder.Path();
    const Target target{"oeminfo.ini", OemInfoFileBytes(RecordNamed(L"Earlier Maker")),
                        OemInfoFileBytes(record), [record, systemFolder](Platform& platform) {
                            return WriteOemInfoFile(platform, systemFolder, record).ok;
                        }};
    Report(target, Sweep(target));
}

TEST_F(FaultSweep, ProgramSettingIsWholeEarlierOrWholeNew) {
    const std::wstring path = L"C:\\Program Files\\Paint Shop, Pro\\paint.exe";
    const Target target{
        "program.cng", "\"C:\\Tools\\old.exe\"\r\n", "\"" + ToAnsi(path) + "\"\r\n",
        [path](Platform& platform) { return SaveGraphicsProgramPath(platform, path); }};
    Report(target, Sweep(target));
    // The earlier setting is what the next opening reads after a kill.
    Restore(target);
    platform.killBeforeMove = true;
    EXPECT_FALSE(Run(target));
    EXPECT_EQ(LoadGraphicsProgramPath(platform), L"C:\\Tools\\old.exe");
}

TEST_F(FaultSweep, LogoIsWholeEarlierOrWholeNew) {
    TempFolder pictures;
    WriteBytes(pictures.Fs("new logo.bmp"), LogoBytes(2));
    const std::wstring source = pictures.Path();
    const Target target{"oemlogo.bmp", LogoBytes(1), LogoBytes(2), [source](Platform& platform) {
                            return InstallOemLogo(platform, source, L"new logo.bmp").Succeeded();
                        }};
    Report(target, Sweep(target));
}

} // namespace
} // namespace qm
