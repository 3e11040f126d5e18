// The backup taken before the first change and /restore, on a system folder, a
// machine data folder and an in-memory registry of the test's own: a maker's
// branding comes back byte for byte whatever the commands did in between, the
// backup is taken once, and without one nothing changes.

#include "ansi_text.h"
#include "backed_up_commands.h"
#include "branding_backup.h"
#include "branding_restore.h"
#include "oem_information_key.h"
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
using test::RegistryValue;
using test::TempFolder;
using test::TestPlatform;
using test::WriteBytes;

namespace fs = std::filesystem;

using Values = std::map<std::wstring, RegistryValue>;

class Lines : public ConsoleLines {
public:
    void Line(const std::wstring& text) override { all += text + L"\n"; }
    std::wstring all;
};

OemInfoRecord Record(const wchar_t* maker) {
    OemInfoRecord record;
    record.Manufacturer = maker;
    record.Model = L"Model 7";
    record.SupportPhone = L"555-0107";
    record.SupportWebsite = L"http://seven.example.com/";
    record.Quote = L"\"";
    return record;
}

// Everything in a folder with its bytes.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        contents[entry.path().filename().string()] = ReadBytes(entry.path()).value_or("?");
    }
    return contents;
}

class Backup : public testing::TestWithParam<bool> {
protected:
    Backup() {
        platform.systemFolder = ToAnsi(system.Path());
        platform.vistaOrLater = GetParam();
        WriteBytes(art.Fs("new.bmp"), "BM" + PatternBytes(500, 9));
    }

    Values& Key() { return platform.registry[kOemInformationKeyPath]; }
    fs::path BackupFile() const {
        return platform.ownDataFolder.Fs("Quorvane Marquelle XP") / "Branding backup.bin";
    }
    // Every change a user can make, twice over.
    void ChangeEverything() {
        EXPECT_TRUE(BackUpThenApply(platform, Record(L"First")));
        EXPECT_TRUE(BackUpThenApply(platform, Record(L"Second")));
        EXPECT_TRUE(BackUpThenInstallLogo(platform, art.Path(), L"new.bmp"));
        EXPECT_TRUE(BackUpThenPreview(platform, Record(L"Third")));
        EXPECT_TRUE(BackUpThenRemove(platform));
        EXPECT_TRUE(BackUpThenApply(platform, Record(L"Last")));
    }
    int Run(const std::wstring& command) {
        lines = Lines();
        return RunUnattended({command}, platform, lines);
    }

    TempFolder system;
    TempFolder art;
    TestPlatform platform;
    Lines lines;
};

TEST_P(Backup, TheMakersBrandingComesBackByteForByteAndTheBackupIsTakenOnce) {
    const std::string makersInfo = "[General]\r\nManufacturer=Maker\r\n\xE9\r\n";
    const std::string makersLogo = "BM" + PatternBytes(3000, 1);
    WriteBytes(system.Fs("oeminfo.ini"), makersInfo);
    WriteBytes(system.Fs("oemlogo.bmp"), makersLogo);
    const Values makersValues = {
        {L"Manufacturer", std::wstring(L"Maker \u00C9")},
        {L"SupportHours", std::wstring(L"9-17")},                // not the program's: never touched
        {L"Logo", StoredValue{2, std::string("%\0W\0\0\0", 6)}}, // REG_EXPAND_SZ
        {L"HelpCustomized", std::uint32_t{1}},
    };
    Key() = makersValues;

    CommandReport first = BackUpThenApply(platform, Record(L"First"));
    ASSERT_TRUE(first);
    EXPECT_EQ(first.steps[0].action, StepAction::BackUp);
    const auto backup = ReadBytes(BackupFile());
    ASSERT_TRUE(backup);
    ChangeEverything();
    EXPECT_EQ(ReadBytes(BackupFile()), backup) << "the backup was taken again";
    ASSERT_NE(ReadBytes(system.Fs("oeminfo.ini")), makersInfo);

    for (int time = 0; time < 2; ++time) {
        EXPECT_EQ(Run(L"/restore"), kExitDone) << std::string(lines.all.begin(), lines.all.end());
        EXPECT_EQ(Contents(system.Fs()),
                  (std::map<std::string, std::string>{{"oeminfo.ini", makersInfo},
                                                      {"oemlogo.bmp", makersLogo}}));
        if (GetParam()) {
            EXPECT_EQ(Key(), makersValues);
        }
        EXPECT_EQ(ReadBytes(BackupFile()), backup) << "the backup stays";
    }
}

TEST_P(Backup, WhatWasNotThereIsGoneAfterARestore) {
    ChangeEverything();
    ASSERT_FALSE(Contents(system.Fs()).empty());
    EXPECT_EQ(Run(L"-RESTORE"), kExitDone);
    EXPECT_TRUE(Contents(system.Fs()).empty());
    EXPECT_TRUE(Key().empty());
    const std::wstring says = lines.all;
    EXPECT_NE(says.find(L"done: remove file " + system.Path(L"oeminfo.ini")), std::wstring::npos);
}

TEST_P(Backup, WithoutABackupNothingChangesAndRestoreSaysSo) {
    WriteBytes(system.Fs("oeminfo.ini"), "mine");
    Key() = {{L"Model", std::wstring(L"Mine")}};
    const auto before = Contents(system.Fs());

    // A restore that finds no backup: nothing to restore, exit code 2.
    EXPECT_EQ(Run(L"/restore"), kExitBadRequest);
    EXPECT_NE(lines.all.find(L"never changed this PC's branding"), std::wstring::npos);

    // A backup folder that cannot be made (a file stands in its place), a data
    // folder the system does not name, and a branding file that cannot be read.
    WriteBytes(platform.ownDataFolder.Fs("Quorvane Marquelle XP"), "a file");
    const CommandReport refused = BackUpThenApply(platform, Record(L"Other"));
    ASSERT_EQ(refused.steps.size(), 1u);
    EXPECT_EQ(refused.steps[0].action, StepAction::BackUp);
    EXPECT_EQ(refused.steps[0].status, StepStatus::Failed);
    EXPECT_NE(refused.steps[0].errorCode, 0u);
    EXPECT_FALSE(BackUpThenInstallLogo(platform, art.Path(), L"new.bmp"));
    EXPECT_FALSE(BackUpThenRemove(platform));
    EXPECT_EQ(Run(L"/remove"), kExitChangeFailed);
    EXPECT_NE(lines.all.find(L"failed: back up branding to "), std::wstring::npos);
    EXPECT_NE(lines.all.find(L"nothing was changed"), std::wstring::npos);

    fs::remove(platform.ownDataFolder.Fs("Quorvane Marquelle XP"));
    platform.machineDataFolder.reset();
    EXPECT_FALSE(BackUpThenPreview(platform, Record(L"Other")));
    EXPECT_TRUE(platform.started.empty());

    platform.machineDataFolder = platform.ownDataFolder.Path();
    platform.readBudget = 0;
    EXPECT_EQ(Run(L"/remove"), kExitChangeFailed);
    EXPECT_NE(lines.all.find(L" from " + system.Path(L"oeminfo.ini") + L": "), std::wstring::npos)
        << std::string(lines.all.begin(), lines.all.end());

    EXPECT_EQ(Contents(system.Fs()), before);
    EXPECT_EQ(Key(), (Values{{L"Model", std::wstring(L"Mine")}}));
    EXPECT_FALSE(fs::exists(BackupFile()));
}

TEST_P(Backup, ADamagedBackupIsRefusedWholeWithExitCodeOne) {
    WriteBytes(system.Fs("oemlogo.bmp"), "BM maker");
    ASSERT_TRUE(BackUpThenRemove(platform));
    const std::string whole = *ReadBytes(BackupFile());
    for (const std::string& damaged :
         {whole.substr(0, whole.size() / 2), whole.substr(0, whole.size() - 1), std::string()}) {
        WriteBytes(BackupFile(), damaged);
        EXPECT_EQ(Run(L"/restore"), kExitChangeFailed);
        EXPECT_NE(lines.all.find(L"failed: read backup "), std::wstring::npos);
        EXPECT_NE(lines.all.find(L"nothing was changed"), std::wstring::npos);
        EXPECT_TRUE(Contents(system.Fs()).empty()) << "a damaged backup was used";
    }
    // One that exists is kept, damaged or not: it is all that is left of the maker's.
    EXPECT_TRUE(BackUpThenApply(platform, Record(L"After")));
    EXPECT_EQ(ReadBytes(BackupFile()), std::string());
}

INSTANTIATE_TEST_SUITE_P(WindowsXpAndVista, Backup, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "VistaOrLater" : "XpOrEarlier";
                         });

} // namespace
} // namespace qm
