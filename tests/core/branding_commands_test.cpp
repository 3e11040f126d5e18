#include "ansi_text.h"
#include "branding_commands.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::TestPlatform;

const std::string kEarlier = "[General]\r\nManufacturer = Earlier Corp\r\n";

OemInfoRecord Record() {
    OemInfoRecord record;
    record.Manufacturer = L"Acme";
    record.Model = L"Tower";
    record.SupportName = L"Desk";
    record.Quote = L"\"";
    return record;
}

class BrandingCommands : public testing::Test {
protected:
    BrandingCommands() { platform.systemFolder = ToAnsi(folder.Path()); }

    std::optional<std::string> Ini() const { return ReadBytes(folder.Fs("oeminfo.ini")); }

    TempFolder folder;
    TestPlatform platform;
};

TEST_F(BrandingCommands, ApplyWritesTheFileAndStartsNothing) {
    ApplyChanges(platform, Record());
    EXPECT_EQ(Ini(), OemInfoFileBytes(Record()));
    EXPECT_TRUE(platform.started.empty());
}

TEST_F(BrandingCommands, PreviewStartsTheSystemFoldersRundllOnceTheFileIsInPlace) {
    std::optional<std::string> fileAtStart;
    std::vector<std::string> namesAtStart;
    platform.onStart = [&] {
        fileAtStart = Ini();
        namesAtStart = folder.Names();
    };
    PreviewChanges(platform, Record());

    ASSERT_EQ(platform.started.size(), 1u);
    EXPECT_EQ(platform.started[0].application, folder.Path() + L"\\rundll32.exe");
    EXPECT_EQ(platform.started[0].commandLine,
              L"rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl");
    EXPECT_EQ(platform.started[0].filesOpenForWriting, 0);
    EXPECT_EQ(fileAtStart, OemInfoFileBytes(Record()));
    EXPECT_EQ(namesAtStart, std::vector<std::string>{"oeminfo.ini"});
}

TEST_F(BrandingCommands, ApplyAndPreviewLeaveIdenticalFiles) {
    ApplyChanges(platform, Record());
    const auto applied = Ini();
    test::WriteBytes(folder.Fs("oeminfo.ini"), kEarlier);
    PreviewChanges(platform, Record());
    EXPECT_EQ(Ini(), applied);
}

TEST_F(BrandingCommands, PreviewOfAnUnwritableFolderKeepsTheFileAndStillStarts) {
    test::WriteBytes(folder.Fs("oeminfo.ini"), kEarlier);
    platform.failCreate = true;
    PreviewChanges(platform, Record());
    EXPECT_EQ(Ini(), kEarlier);
    EXPECT_EQ(platform.started.size(), 1u);
}

TEST_F(BrandingCommands, PreviewHalfWayThroughAFullDiskKeepsTheFileAndStillStarts) {
    test::WriteBytes(folder.Fs("oeminfo.ini"), kEarlier);
    platform.writeBudget = 150;
    PreviewChanges(platform, Record());
    EXPECT_EQ(Ini(), kEarlier);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"oeminfo.ini"});
    EXPECT_EQ(platform.started.size(), 1u);
}

TEST_F(BrandingCommands, PreviewWithoutASystemFolderStartsNothing) {
    platform.systemFolder.reset();
    PreviewChanges(platform, Record());
    EXPECT_TRUE(platform.started.empty());
    EXPECT_TRUE(platform.created.empty());
}

TEST_F(BrandingCommands, PreviewWhoseStartFailsHasStillWrittenTheFile) {
    platform.startSucceeds = false;
    PreviewChanges(platform, Record());
    EXPECT_EQ(Ini(), OemInfoFileBytes(Record()));
}

struct RemoveCase {
    bool iniBefore;
    bool logoBefore;
    bool iniUndeletable;
    bool iniAfter;
    bool logoAfter;
};

const RemoveCase kRemoveCases[] = {
    {false, false, false, false, false}, {false, true, false, false, false},
    {true, false, false, false, false},  {true, true, false, false, false},
    {true, true, true, true, false},     {true, false, true, true, false},
};

TEST_F(BrandingCommands, RemoveDeletesWhatItCanOfBothFiles) {
    for (const RemoveCase& c : kRemoveCases) {
        const std::string row = "row " + std::to_string(&c - kRemoveCases);
        TempFolder system;
        TestPlatform remover;
        remover.systemFolder = ToAnsi(system.Path());
        test::WriteBytes(system.Fs("unrelated.txt"), "keep");
        if (c.iniBefore) {
            test::WriteBytes(system.Fs("oeminfo.ini"), kEarlier);
        }
        if (c.logoBefore) {
            test::WriteBytes(system.Fs("oemlogo.bmp"), "BM");
        }
        if (c.iniUndeletable) {
            remover.undeletable.insert(system.Path(L"oeminfo.ini"));
        }
        RemoveOemFiles(remover);
        EXPECT_EQ(std::filesystem::exists(system.Fs("oeminfo.ini")), c.iniAfter) << row;
        EXPECT_EQ(std::filesystem::exists(system.Fs("oemlogo.bmp")), c.logoAfter) << row;
        EXPECT_TRUE(std::filesystem::exists(system.Fs("unrelated.txt"))) << row;
        EXPECT_EQ(remover.systemFolderQueries, 2) << row;
        EXPECT_TRUE(remover.started.empty()) << row;
    }
}

TEST_F(BrandingCommands, RemoveAsksForTheFolderAgainForTheLogo) {
    test::WriteBytes(folder.Fs("oeminfo.ini"), kEarlier);
    test::WriteBytes(folder.Fs("oemlogo.bmp"), "BM");
    platform.answersByCall = {std::nullopt};
    RemoveOemFiles(platform);
    EXPECT_TRUE(std::filesystem::exists(folder.Fs("oeminfo.ini")));
    EXPECT_FALSE(std::filesystem::exists(folder.Fs("oemlogo.bmp")));
}

} // namespace
} // namespace qm
