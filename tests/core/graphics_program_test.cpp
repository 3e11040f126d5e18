#include "graphics_program.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::FakeCurrentPath;
using test::ReadBytes;
using test::TempFolder;
using test::TestPlatform;
using test::WriteBytes;

class GraphicsProgram : public testing::Test {
protected:
    GraphicsProgram() { platform.executableFolder = folder.Path(); }

    std::optional<std::string> Setting() const { return ReadBytes(folder.Fs("program.cng")); }

    TempFolder folder;
    TestPlatform platform;
};

struct SavedCase {
    const wchar_t* path;
    std::string bytes;
};

const SavedCase kSavedCases[] = {
    {L"C:\\Tools\\paint.exe", "\"C:\\Tools\\paint.exe\"\r\n"},
    {L"", "\"\"\r\n"},
    {L"C:\\My Tools, old\\paint, v2.exe", "\"C:\\My Tools, old\\paint, v2.exe\"\r\n"},
    {L"  C:\\M\u00FCller\\b\u00E4r.exe  ", "\"  C:\\M\xFCller\\b\xE4r.exe  \"\r\n"},
};

TEST_F(GraphicsProgram, SavesOneQuotedLineAndReadsItBackWhole) {
    ASSERT_EQ(kSavedCases[0].bytes.size(), 22u);
    for (const SavedCase& c : kSavedCases) {
        EXPECT_TRUE(SaveGraphicsProgramPath(platform, c.path));
        EXPECT_EQ(Setting(), c.bytes);
        EXPECT_EQ(LoadGraphicsProgramPath(platform), c.path);
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"program.cng"});
    }
}

struct FieldCase {
    std::string bytes;
    std::string field;
};

const FieldCase kFieldCases[] = {
    {"", ""},
    {"\"\"\r\n", ""},
    {"\"\"", ""},
    {"   \r\n\t\r\n", ""},
    {"C:\\Tools\\paint.exe\r\n", "C:\\Tools\\paint.exe"},
    {"C:\\Program Files\\Paint\\paint.exe", "C:\\Program Files\\Paint\\paint.exe"},
    {"  \r\n\r\n  \"C:\\a, b\\c.exe\" , ignored\r\n", "C:\\a, b\\c.exe"},
    {"\"C:\\a.exe\"\"C:\\b.exe\"", "C:\\a.exe"},
    {"\"C:\\split\r\nline.exe\"", "C:\\split\r\nline.exe"},
    {"C:\\a.exe,C:\\b.exe", "C:\\a.exe"},
    {"C:\\a.exe   \r\nsecond", "C:\\a.exe"},
    {"C:\\a.exe\nsecond", "C:\\a.exe"},
    {",C:\\a.exe", ""},
    {"\"C:\\no closing quote.exe\r\nnext line", "C:\\no closing quote.exe"},
    {"\"C:\\no closing quote.exe", "C:\\no closing quote.exe"},
    {"\"", ""},
    {std::string("\"C:\\\0x.exe\"", 11), std::string("C:\\\0x.exe", 9)},
};

TEST(FirstFieldOf, FollowsTheReadingRules) {
    for (const FieldCase& c : kFieldCases) {
        EXPECT_EQ(FirstFieldOf(c.bytes), c.field) << testing::PrintToString(c.bytes);
    }
}

TEST_F(GraphicsProgram, ReadsNoProgramFromAMissingEmptyOrUnreadableFile) {
    EXPECT_EQ(LoadGraphicsProgramPath(platform), L"");
    WriteBytes(folder.Fs("program.cng"), "");
    EXPECT_EQ(LoadGraphicsProgramPath(platform), L"");
    WriteBytes(folder.Fs("program.cng"), "\"C:\\Tools\\paint.exe\"\r\n");
    platform.readBudget = 0;
    EXPECT_EQ(LoadGraphicsProgramPath(platform), L"");
}

TEST_F(GraphicsProgram, ReadsOnlyTheStartOfAHugeFile) {
    WriteBytes(folder.Fs("program.cng"),
               "\"C:\\Tools\\paint.exe\"\r\n" + std::string(10 * 1024 * 1024, 'x'));
    EXPECT_EQ(LoadGraphicsProgramPath(platform), L"C:\\Tools\\paint.exe");
    EXPECT_LE(platform.bytesRead, 64u * 1024);
}

TEST_F(GraphicsProgram, AStoredProgramStartsWithoutTheDialogAndTheFileIsRewritten) {
    const std::wstring paint = L"C:\\Program Files\\Paint\\paint.exe";
    WriteBytes(folder.Fs("program.cng"), "\"C:\\Program Files\\Paint\\paint.exe\"\r\n");
    FakeCurrentPath current(paint);
    for (int click = 1; click <= 2; ++click) {
        LaunchGraphicsProgram(platform, current);
        EXPECT_EQ(platform.dialogsShown, 0);
        ASSERT_EQ(platform.started.size(), static_cast<std::size_t>(click));
        EXPECT_EQ(platform.started.back().application, paint);
        EXPECT_EQ(platform.started.back().commandLine, L"\"" + paint + L"\"");
        EXPECT_EQ(platform.created.size(), static_cast<std::size_t>(click));
        EXPECT_EQ(Setting(), "\"C:\\Program Files\\Paint\\paint.exe\"\r\n");
        EXPECT_EQ(current.Get(), paint);
    }
}

TEST_F(GraphicsProgram, WithoutAProgramLaunchAsksTheDialogThenStoresAndStarts) {
    FakeCurrentPath current;
    platform.dialogAnswer = L"C:\\Tools\\paint.exe";
    LaunchGraphicsProgram(platform, current);
    EXPECT_EQ(platform.dialogsShown, 1);
    EXPECT_EQ(platform.dialogFilter, L"Programs (*.exe)|*.exe");
    EXPECT_EQ(platform.dialogOwner, current.DialogOwner());
    EXPECT_EQ(current.Get(), L"C:\\Tools\\paint.exe");
    EXPECT_EQ(Setting(), "\"C:\\Tools\\paint.exe\"\r\n");
    ASSERT_EQ(platform.started.size(), 1u);
    EXPECT_EQ(platform.started[0].application, L"C:\\Tools\\paint.exe");
    EXPECT_EQ(platform.started[0].filesOpenForWriting, 0);
}

TEST_F(GraphicsProgram, ChangingTheProgramStoresItAndStartsNothing) {
    WriteBytes(folder.Fs("program.cng"), "\"C:\\Old\\old.exe\"\r\n");
    FakeCurrentPath current(L"C:\\Old\\old.exe");
    platform.dialogAnswer = L"D:\\New Tools\\new.exe";
    ChooseGraphicsProgram(platform, current);
    EXPECT_EQ(platform.dialogsShown, 1);
    EXPECT_EQ(current.Get(), L"D:\\New Tools\\new.exe");
    EXPECT_EQ(Setting(), "\"D:\\New Tools\\new.exe\"\r\n");
    EXPECT_TRUE(platform.started.empty());
}

TEST_F(GraphicsProgram, CancelLeavesThePathEmptyAndStartsNothingInBothFlows) {
    using Flow = void (*)(Platform&, CurrentProgramPath&);
    for (const Flow flow : {Flow(&ChooseGraphicsProgram), Flow(&LaunchGraphicsProgram)}) {
        WriteBytes(folder.Fs("program.cng"), "\"C:\\Old\\old.exe\"\r\n");
        TestPlatform cancelling;
        cancelling.executableFolder = folder.Path();
        FakeCurrentPath current(flow == &ChooseGraphicsProgram ? L"C:\\Old\\old.exe" : L"");
        flow(cancelling, current);
        EXPECT_EQ(cancelling.dialogsShown, 1);
        EXPECT_EQ(current.sets, 1);
        EXPECT_EQ(current.Get(), L"");
        EXPECT_EQ(Setting(), "\"\"\r\n");
        EXPECT_TRUE(cancelling.started.empty());
        EXPECT_EQ(LoadGraphicsProgramPath(cancelling), L"");
    }
}

TEST_F(GraphicsProgram, AnUnwritableFolderKeepsTheChoiceInMemoryOnly) {
    WriteBytes(folder.Fs("program.cng"), "\"C:\\Old\\old.exe\"\r\n");
    platform.failCreate = true;
    platform.dialogAnswer = L"C:\\Tools\\paint.exe";
    FakeCurrentPath current;
    ChooseGraphicsProgram(platform, current);
    EXPECT_EQ(current.Get(), L"C:\\Tools\\paint.exe");
    EXPECT_EQ(Setting(), "\"C:\\Old\\old.exe\"\r\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"program.cng"});

    LaunchGraphicsProgram(platform, current);
    ASSERT_EQ(platform.started.size(), 1u);
    EXPECT_EQ(platform.started[0].application, L"C:\\Tools\\paint.exe");
}

TEST_F(GraphicsProgram, AProgramThatCannotStartIsKeptForTheNextTry) {
    platform.startSucceeds = false;
    FakeCurrentPath current(L"C:\\Gone\\gone.exe");
    LaunchGraphicsProgram(platform, current);
    EXPECT_EQ(platform.started.size(), 1u);
    EXPECT_EQ(current.Get(), L"C:\\Gone\\gone.exe");
    EXPECT_EQ(Setting(), "\"C:\\Gone\\gone.exe\"\r\n");
}

TEST_F(GraphicsProgram, AnEmptyPathStartsNothing) {
    EXPECT_FALSE(StartGraphicsProgram(platform, L""));
    EXPECT_TRUE(platform.started.empty());
    EXPECT_TRUE(StartGraphicsProgram(platform, L"C:\\Tools\\paint.exe"));
    EXPECT_EQ(platform.started.size(), 1u);
}

TEST(GraphicsProgramOnTheHost, KeepsProgramCngBesideTheExecutable) {
    Platform& host = HostPlatform();
    const std::wstring setting = host.ExecutableFolder() + L"\\program.cng";
    ASSERT_FALSE(host.ExecutableFolder().empty());
    ASSERT_TRUE(SaveGraphicsProgramPath(host, L"C:\\Tools\\paint.exe"));
    EXPECT_NE(host.OpenForReading(setting), nullptr);
    EXPECT_EQ(LoadGraphicsProgramPath(host), L"C:\\Tools\\paint.exe");
    EXPECT_TRUE(host.RemoveFile(setting));
}

} // namespace
} // namespace qm
