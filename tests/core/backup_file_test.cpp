// The backup file's bytes: what is written reads back the same, and anything cut
// off, damaged or made up is refused whole, with a reason.

#include "backup_file.h"
#include "crc32.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <iterator>

namespace qm {
namespace {

BrandingBackup Sample() {
    BrandingBackup backup;
    backup.items.push_back({BackedUpKind::File, L"oeminfo.ini", true, {0, "[General]\r\n"}});
    backup.items.push_back({BackedUpKind::File, L"oemlogo.bmp", false, {}});
    for (const wchar_t* name : kBackedUpValues) {
        backup.items.push_back({BackedUpKind::RegistryValue, name, false, {}});
    }
    backup.items[2] = {BackedUpKind::RegistryValue, L"Manufacturer", true, {1, {"A\0\0\0", 4}}};
    backup.items[6] = {BackedUpKind::RegistryValue, L"Logo", true, {2, {"%\0S\0\0\0", 6}}};
    return backup;
}

// The bytes with a check sum that matches them again, as a forger would make.
std::string Resealed(std::string bytes) {
    bytes.resize(bytes.size() - 4);
    const std::uint32_t sum = Crc32(bytes.data(), bytes.size());
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((sum >> shift) & 0xFF));
    }
    return bytes;
}

TEST(BackupFile, ReadsBackWhatWasWrittenWithAndWithoutRegistryValues) {
    BrandingBackup withValues = Sample();
    withValues.items[0].content.data = test::PatternBytes(70000, 3);
    BrandingBackup filesOnly = Sample();
    filesOnly.items.resize(2);
    for (const BrandingBackup& backup : {withValues, filesOnly}) {
        std::wstring problem;
        const auto read = DecodeBackup(EncodeBackup(backup), problem);
        ASSERT_TRUE(read) << std::string(problem.begin(), problem.end());
        EXPECT_EQ(read->items, backup.items);
    }
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u); // the published check value
}

TEST(BackupFile, EveryCutAndEveryChangedByteIsRefused) {
    const std::string bytes = EncodeBackup(Sample());
    std::wstring problem;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(DecodeBackup(bytes.substr(0, length), problem)) << "cut at " << length;
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x20);
        EXPECT_FALSE(DecodeBackup(changed, problem)) << "changed at " << at;
    }
}

TEST(BackupFile, MadeUpContentWithAMatchingCheckSumIsRefused) {
    const std::string good = EncodeBackup(Sample());
    // Offsets in Sample()'s bytes: magic 8, version 4, count 4; then the first
    // item: kind, present, name length, "oeminfo.ini", type, size, content.
    constexpr std::size_t kVersion = 8;
    constexpr std::size_t kCount = 12;
    constexpr std::size_t kFirstItem = 16;
    constexpr std::size_t kFirstName = kFirstItem + 3;
    constexpr std::size_t kFirstSize = kFirstName + 11 + 4;
    auto with = [&](std::size_t at, char value) {
        std::string bytes = good;
        bytes[at] = value;
        return Resealed(bytes);
    };
    BrandingBackup twice = Sample();
    twice.items[1] = twice.items[0];
    BrandingBackup someValues = Sample();
    someValues.items.pop_back();
    BrandingBackup noLogoFile = Sample();
    noLogoFile.items.erase(noLogoFile.items.begin() + 1);
    BrandingBackup absentWithBytes = Sample();
    absentWithBytes.items[1].content.data = "BM";
    BrandingBackup unknownValue = Sample();
    unknownValue.items[3].name = L"SupportHours";
    BrandingBackup fileAsValue = Sample();
    fileAsValue.items[0].kind = BackedUpKind::RegistryValue;

    const struct {
        const char* what;
        std::string bytes;
        const wchar_t* says;
    } cases[] = {
        {"another file", "MZ\x90\0\3\0\0\0\4\0\0\0\xFF\xFF\0\0", L"not a branding backup"},
        {"a later format", with(kVersion, 2), L"format 2"},
        {"more items than there are", with(kCount, 9), L"more items"},
        {"a name changed", with(kFirstName, 'X'), L"never backs up"},
        {"a kind unknown", with(kFirstItem, 7), L"never backs up"},
        {"present neither 0 nor 1", with(kFirstItem + 1, 2), L"both"},
        {"a size past the end", with(kFirstSize + 3, 0x7F), L"never backs up"},
        {"the last byte cut, then resealed", Resealed(good.substr(0, good.size() - 5) + "sum!"),
         L"ends early"},
        {"bytes after the items", Resealed(good.substr(0, good.size() - 4) + "x" + "sum!"),
         L"follow its last item"},
        {"an item twice", EncodeBackup(twice), L"twice"},
        {"some values only", EncodeBackup(someValues), L"not all"},
        {"a file left out", EncodeBackup(noLogoFile), L"lacks oemlogo.bmp"},
        {"an absent file with bytes", EncodeBackup(absentWithBytes), L"both"},
        {"a value this program never writes", EncodeBackup(unknownValue), L"never backs up"},
        {"a file named as a value", EncodeBackup(fileAsValue), L"never backs up"},
    };
    for (const auto& c : cases) {
        std::wstring problem;
        EXPECT_FALSE(DecodeBackup(c.bytes, problem)) << c.what;
        EXPECT_NE(problem.find(c.says), std::wstring::npos)
            << c.what << ": " << std::string(problem.begin(), problem.end());
    }
}

} // namespace
} // namespace qm
