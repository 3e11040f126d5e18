// The backup, written before the first change, against a process killed at each
// byte of it and just before its move, and a disk that fills at each byte:
// afterwards there is either no backup and the machine's branding is untouched,
// or the whole backup; a later run then takes it whole and changes as asked.

#include "ansi_text.h"
#include "backed_up_commands.h"
#include "branding_backup.h"
#include "killable_platform.h"
#include "oem_information_key.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace qm {
namespace {

using test::FaultPlatform;
using test::Killed;
using test::MemoryRegistry;
using test::PatternBytes;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

namespace fs = std::filesystem;

class BackupFaultSweep : public testing::TestWithParam<bool> {
protected:
    BackupFaultSweep() {
        platform.systemFolder = ToAnsi(system.Path());
        platform.vistaOrLater = GetParam();
        platform.faultsInDataFolder = true;
        WriteBytes(system.Fs("oeminfo.ini"), makersInfo);
        WriteBytes(system.Fs("oemlogo.bmp"), makersLogo);
        platform.registry[kOemInformationKeyPath] = {
            {L"Manufacturer", std::wstring(L"Maker")},
            {L"Logo", std::wstring(L"C:\\Windows\\system32\\oemlogo.bmp")}};
        makersRegistry = platform.registry;
        CommandReport unused;
        whole = EncodeBackup(*ReadCurrentBranding(platform, unused));
    }

    fs::path Folder() const { return platform.ownDataFolder.Fs("Quorvane Marquelle XP"); }
    fs::path BackupFile() const { return Folder() / "Branding backup.bin"; }

    // Apply, as the window's button runs it; whether the process lived.
    bool Apply() {
        OemInfoRecord record;
        record.Manufacturer = L"Changed";
        record.Quote = L"\"";
        try {
            BackUpThenApply(platform, record);
            return true;
        } catch (const Killed&) {
            return false;
        }
    }

    void Unarmed() {
        platform.killAfterBytes.reset();
        platform.killBeforeMove = false;
        platform.writeBudget.reset();
    }

    // No backup and nothing changed, or (lived) the whole backup; then a later
    // run takes the whole backup of the maker's branding, with nothing beside it.
    void ExpectNoBackupOrAWholeOne(bool lived, const std::string& at) {
        const auto backup = ReadBytes(BackupFile());
        if (backup) {
            EXPECT_EQ(*backup, whole) << at;
        }
        if (!backup || !lived) {
            EXPECT_EQ(ReadBytes(system.Fs("oeminfo.ini")), makersInfo) << at;
            EXPECT_EQ(platform.registry, makersRegistry) << at;
        }
        Unarmed();
        EXPECT_TRUE(Apply());
        EXPECT_EQ(ReadBytes(BackupFile()), whole) << at;
        EXPECT_EQ(std::distance(fs::directory_iterator(Folder()), fs::directory_iterator()), 1)
            << at;
        // As the machine was, for the next case.
        fs::remove_all(Folder());
        WriteBytes(system.Fs("oeminfo.ini"), makersInfo);
        platform.registry = makersRegistry;
    }

    const std::string makersInfo = "[General]\r\nManufacturer=\"Maker\"\r\n";
    const std::string makersLogo = "BM" + PatternBytes(60, 5);
    TempFolder system;
    FaultPlatform platform;
    MemoryRegistry makersRegistry;
    std::string whole;
};

TEST_P(BackupFaultSweep, KilledOrOutOfDiskAtEveryByteLeavesNoBackupOrAWholeOne) {
    int cases = 0;
    for (std::size_t bytes = 0; bytes < whole.size(); ++bytes, ++cases) {
        platform.killAfterBytes = bytes;
        const bool lived = Apply();
        EXPECT_FALSE(lived) << bytes;
        EXPECT_FALSE(fs::exists(BackupFile())) << bytes;
        ExpectNoBackupOrAWholeOne(lived, "killed after " + std::to_string(bytes));
    }
    platform.killBeforeMove = true;
    EXPECT_FALSE(Apply());
    ExpectNoBackupOrAWholeOne(false, "killed before the move");
    ++cases;
    for (std::size_t budget = 0; budget <= whole.size(); ++budget, ++cases) {
        platform.writeBudget = budget;
        const bool lived = Apply();
        EXPECT_TRUE(lived);
        EXPECT_EQ(fs::exists(BackupFile()), budget == whole.size()) << budget;
        // A full disk leaves no temporary file of the backup behind.
        EXPECT_EQ(fs::exists(Folder())
                      ? std::distance(fs::directory_iterator(Folder()), fs::directory_iterator())
                      : 0,
                  budget == whole.size() ? 1 : 0)
            << budget;
        ExpectNoBackupOrAWholeOne(lived, "disk full after " + std::to_string(budget));
    }
    std::printf("backup fault sweep: backup of %zu bytes: %d cases\n", whole.size(), cases);
}

INSTANTIATE_TEST_SUITE_P(WindowsXpAndVista, BackupFaultSweep, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "VistaOrLater" : "XpOrEarlier";
                         });

} // namespace
} // namespace qm
