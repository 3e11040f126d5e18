#include "native_platform.h"
#include "open_dialog_filter.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string ReadAll(ReadableFile& file, std::size_t chunk) {
    std::string bytes;
    std::string buffer(chunk, '\0');
    for (long count; (count = file.Read(buffer.data(), buffer.size())) > 0;) {
        bytes.append(buffer.data(), static_cast<std::size_t>(count));
    }
    return bytes;
}

class HostFiles : public testing::Test {
protected:
    TempFolder folder;
    Platform& host = HostPlatform();
};

TEST_F(HostFiles, CreatesTruncatesAndReadsFiles) {
    WriteBytes(folder.Fs("a.bin"), std::string(1000, 'o'));
    const std::string content = test::PatternBytes(70000, 7);
    auto file = host.CreateForWriting(folder.Path(L"a.bin"));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->Write(content.data(), content.size()));
    EXPECT_TRUE(file->Close());
    EXPECT_EQ(ReadBytes(folder.Fs("a.bin")), content);

    auto reader = host.OpenForReading(folder.Path(L"a.bin"));
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(ReadAll(*reader, 4096), content);
    EXPECT_EQ(host.OpenForReading(folder.Path(L"missing.bin")), nullptr);
    EXPECT_EQ(host.CreateForWriting(folder.Path(L"missing\\a.bin")), nullptr);
}

TEST_F(HostFiles, AcceptsADoubledSeparator) {
    WriteBytes(folder.Fs("logo.bmp"), "BM");
    auto reader = host.OpenForReading(folder.Path() + L"\\\\logo.bmp");
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(ReadAll(*reader, 16), "BM");
}

TEST_F(HostFiles, HandlesNamesOutsideAscii) {
    const std::wstring name = L"M\u00FCller \u20AC.bin";
    auto file = host.CreateForWriting(folder.Path(name));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->Write("x", 1));
    EXPECT_TRUE(file->Close());
    EXPECT_NE(host.OpenForReading(folder.Path(name)), nullptr);
    EXPECT_TRUE(host.RemoveFile(folder.Path(name)));
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(HostFiles, MovesOverAnExistingFileButNotOverAReadOnlyOne) {
    WriteBytes(folder.Fs("new"), "new");
    WriteBytes(folder.Fs("old"), "old");
    EXPECT_TRUE(host.MoveReplacing(folder.Path(L"new"), folder.Path(L"old")));
    EXPECT_EQ(ReadBytes(folder.Fs("old")), "new");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old"});

    WriteBytes(folder.Fs("new"), "newer");
    test::SetReadOnly(folder.Fs("old"), true);
    EXPECT_FALSE(host.MoveReplacing(folder.Path(L"new"), folder.Path(L"old")));
    EXPECT_EQ(ReadBytes(folder.Fs("old")), "new");
    EXPECT_EQ(ReadBytes(folder.Fs("new")), "newer");

    EXPECT_FALSE(host.MoveReplacing(folder.Path(L"gone"), folder.Path(L"other")));
}

TEST_F(HostFiles, RemovesFilesThatExist) {
    WriteBytes(folder.Fs("a"), "a");
    EXPECT_TRUE(host.RemoveFile(folder.Path(L"a")));
    EXPECT_FALSE(host.RemoveFile(folder.Path(L"a")));
    EXPECT_TRUE(folder.Names().empty());
}

TEST(OpenDialogFilter, SeparatesThePiecesWithNuls) {
    EXPECT_EQ(ToDialogFilter(L"Programs (*.exe)|*.exe"),
              std::wstring(L"Programs (*.exe)\0*.exe\0\0", 24));
}

#ifndef _WIN32
TEST(PosixPlatform, HasNoProcessStartNoDialogAndNoSystemFolderOfItsOwn) {
    PosixPlatform platform;
    EXPECT_FALSE(platform.StartProcess(L"\\bin\\true", L"true"));
    EXPECT_EQ(platform.ShowOpenDialog(L"Programs (*.exe)|*.exe", nullptr), L"");
    std::string buffer(255, ' ');
    platform.QuerySystemDirectoryA(buffer.data(), 255);
    EXPECT_EQ(buffer, std::string(255, ' '));
}

TEST(PosixPlatform, AnswersTheSystemFolderItWasGivenLikeGetSystemDirectoryA) {
    PosixPlatform platform("C:\\WINDOWS\\system32");
    std::string buffer(255, ' ');
    platform.QuerySystemDirectoryA(buffer.data(), 255);
    EXPECT_EQ(buffer, std::string("C:\\WINDOWS\\system32\0", 20) + std::string(235, ' '));
    std::string small(19, ' ');
    platform.QuerySystemDirectoryA(small.data(), 19);
    EXPECT_EQ(small, std::string(19, ' '));
}
#endif

} // namespace
} // namespace qm
