#include "ansi_text.h"
#include "branding_commands.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

#include <functional>

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

// Each step of a report: what was done to which file, and why it failed.
struct ReportCase {
    const char* name;
    std::function<void(TestPlatform&, TempFolder&)> arrange;
    std::function<CommandReport(TestPlatform&)> run;
    std::vector<std::pair<StepAction, StepStatus>> steps;
    std::vector<std::wstring> targets; // names within the folder; empty: no target
};

std::vector<ReportCase> ReportCases() {
    const auto nothing = [](TestPlatform&, TempFolder&) {};
    const auto apply = [](TestPlatform& p) { return ApplyChanges(p, Record()); };
    const auto preview = [](TestPlatform& p) { return PreviewChanges(p, Record()); };
    const auto remove = [](TestPlatform& p) { return RemoveOemFiles(p); };
    return {
        {"apply", nothing, apply, {{StepAction::WriteFile, StepStatus::Done}}, {L"oeminfo.ini"}},
        {"apply to a read-only file",
         [](TestPlatform&, TempFolder& f) {
             test::WriteBytes(f.Fs("oeminfo.ini"), kEarlier);
             test::SetReadOnly(f.Fs("oeminfo.ini"), true);
         },
         apply,
         {{StepAction::WriteFile, StepStatus::Failed}},
         {L"oeminfo.ini"}},
        {"apply without a system folder",
         [](TestPlatform& p, TempFolder&) { p.systemFolder.reset(); },
         apply,
         {{StepAction::FindSystemFolder, StepStatus::Failed}},
         {L""}},
        {"preview",
         nothing,
         preview,
         {{StepAction::WriteFile, StepStatus::Done}, {StepAction::StartProgram, StepStatus::Done}},
         {L"oeminfo.ini", L"rundll32.exe"}},
        {"preview whose start fails",
         [](TestPlatform& p, TempFolder&) { p.startSucceeds = false; },
         preview,
         {{StepAction::WriteFile, StepStatus::Done},
          {StepAction::StartProgram, StepStatus::Failed}},
         {L"oeminfo.ini", L"rundll32.exe"}},
        {"remove where neither file is",
         nothing,
         remove,
         {{StepAction::RemoveFile, StepStatus::NothingToDo},
          {StepAction::RemoveFile, StepStatus::NothingToDo}},
         {L"oeminfo.ini", L"oemlogo.bmp"}},
        {"remove an undeletable file and a logo",
         [](TestPlatform& p, TempFolder& f) {
             test::WriteBytes(f.Fs("oeminfo.ini"), kEarlier);
             test::WriteBytes(f.Fs("oemlogo.bmp"), "BM");
             p.undeletable.insert(f.Path(L"oeminfo.ini"));
         },
         remove,
         {{StepAction::RemoveFile, StepStatus::Failed}, {StepAction::RemoveFile, StepStatus::Done}},
         {L"oeminfo.ini", L"oemlogo.bmp"}},
    };
}

TEST(BrandingCommandReports, SayWhatEachStepDidAndWhyOneFailed) {
    for (const ReportCase& c : ReportCases()) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        TestPlatform platform;
        platform.systemFolder = ToAnsi(folder.Path());
        c.arrange(platform, folder);
        const CommandReport report = c.run(platform);
        if (std::filesystem::exists(folder.Fs("oeminfo.ini"))) {
            test::SetReadOnly(folder.Fs("oeminfo.ini"), false);
        }

        ASSERT_EQ(report.steps.size(), c.steps.size());
        bool anyFailed = false;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const StepResult& step = report.steps[i];
            EXPECT_EQ(step.action, c.steps[i].first) << i;
            EXPECT_EQ(step.status, c.steps[i].second) << i;
            EXPECT_EQ(step.target, c.targets[i].empty() ? L"" : folder.Path(c.targets[i])) << i;
            const bool failed = step.status == StepStatus::Failed;
            anyFailed = anyFailed || failed;
            // A failed file step says why, in the system's words; nothing else does.
            const bool withReason = failed && step.action != StepAction::FindSystemFolder;
            EXPECT_EQ(step.errorCode != 0, withReason) << i;
            EXPECT_EQ(!step.reason.empty(), withReason) << i;
            EXPECT_FALSE(failed && platform.IsNotFound(step.errorCode)) << i;
            if (step.action == StepAction::StartProgram) {
                EXPECT_EQ(step.data, L"rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl");
            }
        }
        EXPECT_EQ(report.Succeeded(), !anyFailed);
    }
}

TEST(BrandingCommandReports, AFolderThatIsNotThereIsNamedAsTheReason) {
    TempFolder folder;
    TestPlatform platform;
    platform.systemFolder = ToAnsi(folder.Path(L"missing"));
    const CommandReport report = ApplyChanges(platform, Record());
    ASSERT_EQ(report.steps.size(), 1u);
    EXPECT_EQ(report.steps[0].status, StepStatus::Failed);
    EXPECT_EQ(report.steps[0].target, folder.Path(L"missing") + L"\\oeminfo.ini");
    EXPECT_TRUE(platform.IsNotFound(report.steps[0].errorCode));
    EXPECT_EQ(report.steps[0].reason, platform.ErrorText(report.steps[0].errorCode));
    EXPECT_FALSE(report.steps[0].reason.empty());
}

} // namespace
} // namespace qm
