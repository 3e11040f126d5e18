// The commands on Windows Vista and later, against an in-memory registry: the
// OEMInformation values written, kept, deleted; and on Windows XP none touched.

#include "ansi_text.h"
#include "branding_commands.h"
#include "logo_installation.h"
#include "oem_information_key.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

#include <functional>

namespace qm {
namespace {

using test::MemoryRegistry;
using test::RegistryValue;
using test::TempFolder;
using test::TestPlatform;

using Values = std::map<std::wstring, RegistryValue>;

OemInfoRecord Record() {
    OemInfoRecord record;
    record.Manufacturer = L"Acme \u4E2D\u6587 \u2014 \u00C9lan"; // no code page holds all
    record.Model = L"Tower\r\n9000";
    record.SupportName = L"Desk";
    record.SupportEMail = L"help@example.com";
    record.SupportPhone = L"+49 30 1234567";
    record.SupportFax = L"+49 30 1234568";
    record.SupportAddress1 = L"Street 1";
    record.SupportAddress2 = L"Town";
    record.SupportWebsite = L"https://example.com/help";
    record.Quote = L"\"";
    return record;
}

// What an OEM left under the key before the tool ran.
Values Planted() {
    return {{L"SupportHours", std::wstring(L"9-17")},
            {L"SupportAppURL", std::wstring(L"app://support")},
            {L"Manufacturer", std::wstring(L"Earlier Corp")},
            {L"Logo", std::wstring(L"C:\\earlier.bmp")}};
}

class Vista : public testing::Test {
protected:
    Vista() {
        platform.systemFolder = ToAnsi(system.Path());
        platform.vistaOrLater = true;
    }

    Values& Key() { return platform.registry[kOemInformationKeyPath]; }

    TempFolder system;
    TestPlatform platform;
};

TEST_F(Vista, ApplyWritesTheFourValuesAsTypedAndKeepsEveryOther) {
    Key() = Planted();
    const CommandReport report = ApplyChanges(platform, Record());
    EXPECT_TRUE(report);
    EXPECT_EQ(Key(), (Values{{L"Manufacturer", std::wstring(L"Acme \u4E2D\u6587 \u2014 \u00C9lan")},
                             {L"Model", std::wstring(L"Tower  9000")},
                             {L"SupportPhone", std::wstring(L"+49 30 1234567")},
                             {L"SupportURL", std::wstring(L"https://example.com/help")},
                             {L"SupportHours", std::wstring(L"9-17")},
                             {L"SupportAppURL", std::wstring(L"app://support")},
                             {L"Logo", std::wstring(L"C:\\earlier.bmp")}}));
    // The file is the one Windows XP reads, unchanged.
    EXPECT_EQ(test::ReadBytes(system.Fs("oeminfo.ini")), OemInfoFileBytes(Record()));
    EXPECT_EQ(platform.registry.size(), 1u);
}

TEST_F(Vista, AnEmptyFieldDeletesItsValue) {
    Key() = Planted();
    Key()[L"SupportURL"] = std::wstring(L"http://old.example.com");
    OemInfoRecord record = Record();
    record.Manufacturer.clear();
    record.SupportWebsite.clear();
    const CommandReport report = ApplyChanges(platform, record);
    EXPECT_TRUE(report);
    EXPECT_EQ(Key().count(L"Manufacturer"), 0u);
    EXPECT_EQ(Key().count(L"SupportURL"), 0u);
    EXPECT_EQ(Key().count(L"Model"), 1u);
    EXPECT_EQ(Key().count(L"SupportHours"), 1u);
}

TEST_F(Vista, OnlyAHelpCustomizedThatHidesTheDetailsChanges) {
    const std::pair<std::optional<RegistryValue>, std::optional<RegistryValue>> cases[] = {
        {RegistryValue(std::uint32_t{1}), RegistryValue(std::uint32_t{0})},
        {RegistryValue(std::uint32_t{0xFFFFFFFF}), RegistryValue(std::uint32_t{0})},
        {RegistryValue(std::uint32_t{0}), RegistryValue(std::uint32_t{0})},
        {std::nullopt, std::nullopt},
        // Not a number, which Windows does not take as one: left alone.
        {RegistryValue(std::wstring(L"1")), RegistryValue(std::wstring(L"1"))},
    };
    for (const auto& [before, after] : cases) {
        platform.registry.clear();
        Key() = Planted();
        if (before) {
            Key()[L"HelpCustomized"] = *before;
        }
        ApplyChanges(platform, Record());
        const auto found = Key().find(L"HelpCustomized");
        EXPECT_EQ(found == Key().end() ? std::nullopt : std::optional(found->second), after);
    }
}

TEST_F(Vista, AnEmptyRecordCreatesNoKey) {
    OemInfoRecord empty;
    const CommandReport report = ApplyChanges(platform, empty);
    EXPECT_TRUE(report);
    EXPECT_TRUE(platform.registry.empty());
}

TEST_F(Vista, PreviewOpensTheSystemFoldersControlPanelOnceTheValuesAreIn) {
    Values atStart;
    platform.onStart = [&] { atStart = Key(); };
    PreviewChanges(platform, Record());
    ASSERT_EQ(platform.started.size(), 1u);
    EXPECT_EQ(platform.started[0].application, system.Path(L"control.exe"));
    EXPECT_EQ(platform.started[0].commandLine, L"control.exe /name Microsoft.System");
    EXPECT_EQ(platform.started[0].filesOpenForWriting, 0);
    EXPECT_EQ(std::get<std::wstring>(atStart.at(L"Model")), L"Tower  9000");
    EXPECT_EQ(test::ReadBytes(system.Fs("oeminfo.ini")), OemInfoFileBytes(Record()));
}

TEST_F(Vista, RemoveDeletesExactlyTheFiveValuesItWrites) {
    Key() = Planted();
    Key()[L"Model"] = std::wstring(L"M");
    Key()[L"SupportURL"] = std::wstring(L"U");
    Key()[L"HelpCustomized"] = std::uint32_t{0};
    test::WriteBytes(system.Fs("oemlogo.bmp"), "BM");
    const CommandReport report = RemoveOemFiles(platform);
    EXPECT_TRUE(report);
    EXPECT_EQ(Key(), (Values{{L"SupportHours", std::wstring(L"9-17")},
                             {L"SupportAppURL", std::wstring(L"app://support")},
                             {L"HelpCustomized", std::uint32_t{0}}}));
    EXPECT_TRUE(system.Names().empty());

    // Again, with nothing left to delete: nothing fails, and the key stays.
    const CommandReport again = RemoveOemFiles(platform);
    EXPECT_TRUE(again);
    ASSERT_EQ(again.steps.size(), 7u);
    for (const StepResult& step : again.steps) {
        EXPECT_EQ(step.status, StepStatus::NothingToDo);
    }
    EXPECT_EQ(platform.registry.count(kOemInformationKeyPath), 1u);
}

TEST_F(Vista, RemoveWithoutTheKeyCreatesNone) {
    EXPECT_TRUE(RemoveOemFiles(platform));
    EXPECT_TRUE(platform.registry.empty());
}

TEST_F(Vista, TheInstalledLogoIsNamedByItsSystemFolderPath) {
    TempFolder pictures;
    test::WriteBytes(pictures.Fs("logo.bmp"), "BM logo");
    Key() = Planted();
    EXPECT_TRUE(InstallOemLogo(platform, pictures.Path(), L"logo.bmp"));
    EXPECT_EQ(std::get<std::wstring>(Key().at(L"Logo")), system.Path(L"oemlogo.bmp"));
    EXPECT_EQ(std::get<std::wstring>(Key().at(L"Manufacturer")), L"Earlier Corp");

    // A copy that fails leaves the value as it leaves the file.
    Key()[L"Logo"] = std::wstring(L"C:\\earlier.bmp");
    EXPECT_FALSE(InstallOemLogo(platform, pictures.Path(), L"gone.bmp"));
    EXPECT_EQ(std::get<std::wstring>(Key().at(L"Logo")), L"C:\\earlier.bmp");
}

TEST_F(Vista, AValueThatCannotBeWrittenStopsNoOther) {
    Key() = Planted();
    platform.failingValues = {L"Model"};
    Key()[L"HelpCustomized"] = std::uint32_t{1};
    const CommandReport report = PreviewChanges(platform, Record());
    EXPECT_FALSE(report);
    EXPECT_EQ(std::get<std::wstring>(Key().at(L"SupportURL")), L"https://example.com/help");
    EXPECT_EQ(std::get<std::uint32_t>(Key().at(L"HelpCustomized")), 0u);
    EXPECT_EQ(Key().count(L"Model"), 0u);
    EXPECT_EQ(platform.started.size(), 1u);

    // The report names the value, the key and the reason.
    int failed = 0;
    for (const StepResult& step : report.steps) {
        if (step.status != StepStatus::Failed) {
            continue;
        }
        ++failed;
        EXPECT_EQ(step.action, StepAction::SetValue);
        EXPECT_EQ(step.target, std::wstring(L"HKEY_LOCAL_MACHINE\\") + kOemInformationKeyPath);
        EXPECT_EQ(step.valueName, L"Model");
        EXPECT_EQ(step.data, L"Tower  9000");
        EXPECT_EQ(step.errorCode, TestPlatform::DeniedCode());
        EXPECT_EQ(step.reason, platform.ErrorText(TestPlatform::DeniedCode()));
    }
    EXPECT_EQ(failed, 1);
}

TEST_F(Vista, AKeyThatCannotBeOpenedStillLeavesTheFileAndThePreview) {
    platform.failOpenKey = true;
    const CommandReport report = PreviewChanges(platform, Record());
    EXPECT_EQ(test::ReadBytes(system.Fs("oeminfo.ini")), OemInfoFileBytes(Record()));
    EXPECT_EQ(platform.started.size(), 1u);
    ASSERT_EQ(report.steps.size(), 6u); // the file, four values, the start
    for (std::size_t i = 1; i < 5; ++i) {
        EXPECT_EQ(report.steps[i].status, StepStatus::Failed) << i;
        EXPECT_EQ(report.steps[i].errorCode, TestPlatform::DeniedCode()) << i;
    }
    EXPECT_EQ(report.steps[5].status, StepStatus::Done);
}

TEST_F(Vista, WithoutASystemFolderTheValuesAreStillWrittenButNothingStarts) {
    platform.systemFolder.reset();
    PreviewChanges(platform, Record());
    EXPECT_EQ(std::get<std::wstring>(Key().at(L"SupportPhone")), L"+49 30 1234567");
    EXPECT_TRUE(platform.started.empty());
}

// Windows XP reads only the files: every command leaves the registry unasked.
TEST(WindowsXp, NoCommandOpensTheRegistry) {
    const std::pair<const char*, std::function<void(TestPlatform&, TempFolder&)>> commands[] = {
        {"apply", [](TestPlatform& p, TempFolder&) { ApplyChanges(p, Record()); }},
        {"preview", [](TestPlatform& p, TempFolder&) { PreviewChanges(p, Record()); }},
        {"remove", [](TestPlatform& p, TempFolder&) { RemoveOemFiles(p); }},
        {"logo",
         [](TestPlatform& p, TempFolder& pictures) {
             test::WriteBytes(pictures.Fs("logo.bmp"), "BM");
             InstallOemLogo(p, pictures.Path(), L"logo.bmp");
         }},
    };
    for (const auto& [name, run] : commands) {
        TempFolder system;
        TempFolder pictures;
        TestPlatform platform;
        platform.systemFolder = ToAnsi(system.Path());
        platform.vistaOrLater = false;
        run(platform, pictures);
        EXPECT_EQ(platform.registryKeysOpened, 0) << name;
        EXPECT_TRUE(platform.registry.empty()) << name;
        for (const test::StartedProcess& started : platform.started) {
            EXPECT_EQ(started.application, system.Path(L"rundll32.exe")) << name;
        }
    }
}

} // namespace
} // namespace qm
