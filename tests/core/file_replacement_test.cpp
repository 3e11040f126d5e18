#include "file_replacement.h"
#include "oem_info_file.h"
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
    record.Quote = L"\"";
    return record;
}

class FailedWrite : public testing::Test {
protected:
    void SetUp() override { test::WriteBytes(folder.Fs("oeminfo.ini"), kEarlier); }

    // The earlier file is there byte for byte, and nothing else is.
    void ExpectEarlierFileOnly() {
        EXPECT_EQ(ReadBytes(folder.Fs("oeminfo.ini")), kEarlier);
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"oeminfo.ini"});
    }

    TempFolder folder;
    TestPlatform platform;
};

TEST_F(FailedWrite, DiskFullAtAnyPointLeavesTheEarlierFile) {
    for (const std::size_t budget : {0u, 1u, 100u, 308u}) {
        platform.writeBudget = budget;
        EXPECT_FALSE(WriteOemInfoFile(platform, folder.Path(), Record())) << budget;
        ExpectEarlierFileOnly();
    }
}

TEST_F(FailedWrite, AFailingCloseLeavesTheEarlierFile) {
    platform.failClose = true;
    EXPECT_FALSE(WriteOemInfoFile(platform, folder.Path(), Record()));
    ExpectEarlierFileOnly();
}

TEST_F(FailedWrite, AFailingMoveLeavesTheEarlierFile) {
    platform.failMove = true;
    EXPECT_FALSE(WriteOemInfoFile(platform, folder.Path(), Record()));
    ExpectEarlierFileOnly();
}

TEST_F(FailedWrite, AnUnwritableFolderCreatesNothing) {
    platform.failCreate = true;
    EXPECT_FALSE(WriteOemInfoFile(platform, folder.Path(), Record()));
    ExpectEarlierFileOnly();
}

TEST_F(FailedWrite, AReadOnlyFileIsLeftAsItWas) {
    test::SetReadOnly(folder.Fs("oeminfo.ini"), true);
    EXPECT_FALSE(WriteOemInfoFile(platform, folder.Path(), Record()));
    ExpectEarlierFileOnly();
}

TEST_F(FailedWrite, AMissingFolderCreatesNothing) {
    EXPECT_FALSE(WriteOemInfoFile(platform, folder.Path(L"missing"), Record()));
    ExpectEarlierFileOnly();
}

TEST(FileReplacement, ReusesAndRemovesTheLeftoverOfAKilledWrite) {
    TempFolder folder;
    const std::wstring target = folder.Path(L"oeminfo.ini");
    // The temporary name is the target's name with a suffix.
    std::filesystem::path leftover = folder.Fs("oeminfo.ini");
    leftover += std::filesystem::path(TemporaryPathFor(L""));
    test::WriteBytes(leftover, std::string(10000, 'z'));
    TestPlatform platform;
    ASSERT_TRUE(WriteOemInfoFile(platform, folder.Path(), Record()));
    EXPECT_EQ(ReadBytes(folder.Fs("oeminfo.ini")), OemInfoFileBytes(Record()));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"oeminfo.ini"});
    EXPECT_EQ(platform.created, std::vector<std::wstring>{TemporaryPathFor(target)});
}

} // namespace
} // namespace qm
