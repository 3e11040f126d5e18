#include "ansi_text.h"
#include "logo_installation.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::PatternBytes;
using test::ReadBytes;
using test::TempFolder;
using test::TestPlatform;

const std::string kEarlierLogo = "BM earlier logo " + std::string(300, 'e');

class LogoInstallation : public testing::Test {
protected:
    LogoInstallation() { platform.systemFolder = ToAnsi(system.Path()); }

    std::optional<std::string> Logo() const { return ReadBytes(system.Fs("oemlogo.bmp")); }

    void ExpectEarlierLogoOnly() {
        EXPECT_EQ(Logo(), kEarlierLogo);
        EXPECT_EQ(system.Names(), std::vector<std::string>{"oemlogo.bmp"});
    }

    TempFolder pictures;
    TempFolder system;
    TestPlatform platform;
};

TEST_F(LogoInstallation, CopiesAnyContentByteForByte) {
    const std::string contents[] = {
        "",
        PatternBytes(256, 1),
        "not a bitmap at all\r\n\x1A\n",
        PatternBytes(64 * 1024, 2),
        PatternBytes(5 * 1024 * 1024 + 123, 3), // many chunks, the last one short
    };
    for (const std::string& content : contents) {
        test::WriteBytes(pictures.Fs("picked.bmp"), content);
        const CommandReport report = InstallOemLogo(platform, pictures.Path(), L"picked.bmp");
        EXPECT_TRUE(report);
        ASSERT_EQ(report.steps.size(), 1u);
        EXPECT_EQ(report.steps[0].status, StepStatus::Done);
        EXPECT_EQ(report.steps[0].target, system.Path(L"oemlogo.bmp"));
        EXPECT_EQ(Logo(), content) << content.size();
        EXPECT_EQ(system.Names(), std::vector<std::string>{"oemlogo.bmp"});
    }
}

TEST_F(LogoInstallation, ReplacesALongerEarlierLogo) {
    test::WriteBytes(system.Fs("oemlogo.bmp"), kEarlierLogo);
    test::WriteBytes(pictures.Fs("small.bmp"), "BM");
    EXPECT_TRUE(InstallOemLogo(platform, pictures.Path(), L"small.bmp"));
    EXPECT_EQ(Logo(), "BM");
}

TEST_F(LogoInstallation, InsertsExactlyOneBackslashAlsoAfterARootFolder) {
    test::WriteBytes(pictures.Fs("logo.bmp"), "BM root");
    EXPECT_TRUE(InstallOemLogo(platform, pictures.Path() + L"\\", L"logo.bmp"));
    ASSERT_EQ(platform.opened.size(), 1u);
    EXPECT_EQ(platform.opened[0], pictures.Path() + L"\\\\logo.bmp");
    EXPECT_EQ(Logo(), "BM root");
}

TEST_F(LogoInstallation, ReinstallingTheInstalledLogoKeepsIt) {
    test::WriteBytes(system.Fs("oemlogo.bmp"), kEarlierLogo);
    EXPECT_TRUE(InstallOemLogo(platform, system.Path(), L"oemlogo.bmp"));
    ExpectEarlierLogoOnly();
}

TEST_F(LogoInstallation, AFailingCopyLeavesTheEarlierLogo) {
    const std::string big = PatternBytes(300 * 1024, 4);
    test::WriteBytes(pictures.Fs("big.bmp"), big);
    struct Failure {
        const char* name;
        std::function<void(TestPlatform&)> arrange;
        const wchar_t* file;
    };
    const Failure failures[] = {
        {"missing source", [](TestPlatform&) {}, L"gone.bmp"},
        {"read fails half-way", [](TestPlatform& p) { p.readBudget = 100 * 1024; }, L"big.bmp"},
        {"disk full half-way", [](TestPlatform& p) { p.writeBudget = 200 * 1024; }, L"big.bmp"},
        {"close fails", [](TestPlatform& p) { p.failClose = true; }, L"big.bmp"},
        {"folder unwritable", [](TestPlatform& p) { p.failCreate = true; }, L"big.bmp"},
        {"no system folder", [](TestPlatform& p) { p.systemFolder.reset(); }, L"big.bmp"},
    };
    for (const Failure& failure : failures) {
        test::WriteBytes(system.Fs("oemlogo.bmp"), kEarlierLogo);
        TestPlatform failing;
        failing.systemFolder = ToAnsi(system.Path());
        failure.arrange(failing);
        const CommandReport report = InstallOemLogo(failing, pictures.Path(), failure.file);
        EXPECT_FALSE(report) << failure.name;
        ExpectEarlierLogoOnly();

        // The report names the step and carries the system's reason.
        ASSERT_EQ(report.steps.size(), 1u) << failure.name;
        const StepResult& step = report.steps[0];
        EXPECT_EQ(step.status, StepStatus::Failed) << failure.name;
        if (!failing.systemFolder) {
            EXPECT_EQ(step.action, StepAction::FindSystemFolder);
            continue;
        }
        EXPECT_EQ(step.action, StepAction::CopyFile) << failure.name;
        EXPECT_EQ(step.target, system.Path(L"oemlogo.bmp")) << failure.name;
        EXPECT_EQ(step.data, pictures.Path(failure.file)) << failure.name;
        EXPECT_NE(step.errorCode, 0u) << failure.name;
        EXPECT_FALSE(step.reason.empty()) << failure.name;
        EXPECT_EQ(failing.IsNotFound(step.errorCode), std::wstring(failure.file) == L"gone.bmp")
            << failure.name;
    }
}

TEST_F(LogoInstallation, AMissingSourceCreatesNoLogo) {
    EXPECT_FALSE(InstallOemLogo(platform, pictures.Path(), L"gone.bmp"));
    EXPECT_TRUE(system.Names().empty());
    EXPECT_TRUE(platform.created.empty());
}

} // namespace
} // namespace qm
