// The real Win32 layer in the Wine prefix: files in the prefix's own system32,
// read back by Windows' profile API, and real processes.

#include "ansi_text.h"
#include "branding_commands.h"
#include "get_system_folder.h"
#include "graphics_program.h"
#include "logo_installation.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

const std::wstring kSystem32 = L"C:\\windows\\system32";

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The same file seen from Linux, through Wine's mapping of / to Z:.
std::optional<fs::path> HostSideOf(const std::wstring& underDriveC) {
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix || !*prefix) {
        return std::nullopt;
    }
    std::wstring path = L"Z:" + FromAnsi(prefix) + L"\\drive_c\\" + underDriveC;
    return fs::path(path);
}

// Removes a file, waiting a little for a process that still holds it.
void RemoveWhenFree(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (int attempt = 0; attempt < 100 && Exists(path); ++attempt) {
        if (DeleteFileW(path.c_str())) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::string ProfileString(const char* section, const char* key) {
    char value[1024] = {};
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof(value) - 1,
                             "C:\\windows\\system32\\oeminfo.ini");
    return value;
}

// The prefix's branding files belong to whoever ran before: they are put aside
// for the test and back afterwards.
class Win32SystemFolder : public testing::Test {
protected:
    void SetUp() override {
        for (const std::wstring& name : kBrandingFiles) {
            const std::wstring path = kSystem32 + name;
            saved_.push_back(ReadBytes(fs::path(path)));
            RemoveWhenFree(path);
            ASSERT_FALSE(Exists(path));
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < std::size(kBrandingFiles); ++i) {
            const std::wstring path = kSystem32 + kBrandingFiles[i];
            RemoveWhenFree(path);
            RemoveWhenFree(path + L".partial");
            if (i < saved_.size() && saved_[i]) {
                WriteBytes(fs::path(path), *saved_[i]);
            }
        }
        RemoveWhenFree(L"C:\\qm-root-logo.bmp");
    }

private:
    const std::wstring kBrandingFiles[2] = {L"\\oeminfo.ini", L"\\oemlogo.bmp"};
    std::vector<std::optional<std::string>> saved_;
};

TEST_F(Win32SystemFolder, IsThePrefixsSystem32) {
    const auto folder = GetSystemFolderPath(HostPlatform());
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(lstrcmpiW(folder->c_str(), kSystem32.c_str()), 0) << ToAnsi(*folder);
    EXPECT_TRUE(Exists(*folder + L"\\rundll32.exe"));
}

TEST_F(Win32SystemFolder, OemInfoAppearsReadsBackAsSystemPropertiesSeesItAndVanishes) {
    OemInfoRecord record;
    record.Manufacturer = L"Acme Computers";
    record.Model = L"Tower 9000";
    record.SupportName = L"Help Desk";
    record.SupportEMail = L"help@example.com";
    record.SupportPhone = L"+49 30 1234567";
    record.SupportFax = L"+49 30 1234568";
    record.SupportAddress1 = L"Hauptstra\u00DFe 1";
    record.SupportAddress2 = L"12345 Berlin";
    record.SupportWebsite = L"www.example.com";
    record.Quote = L"\"";
    ApplyChanges(HostPlatform(), record);

    const std::wstring ini = kSystem32 + L"\\oeminfo.ini";
    ASSERT_TRUE(Exists(ini));
    if (const auto hostSide = HostSideOf(L"windows\\system32\\oeminfo.ini")) {
        EXPECT_EQ(ReadBytes(*hostSide), OemInfoFileBytes(record));
    }
    EXPECT_EQ(ProfileString("General", "Manufacturer"), "Acme Computers");
    EXPECT_EQ(ProfileString("General", "Model"), "Tower 9000");
    const std::pair<const char*, std::string> lines[] = {
        {"Line1", "Support Name:          Help Desk"},
        {"Line2", "Support E - Mail:        help@example.com"},
        {"Line3", "Support Phone:         +49 30 1234567"},
        {"Line4", "Support Fax:             +49 30 1234568"},
        {"Line5", "Support Address 1:   Hauptstra\xDF"
                  "e 1"},
        {"Line6", "Support Address 2:   12345 Berlin"},
        {"Line7", "Support Website:      www.example.com"},
    };
    for (const auto& [key, value] : lines) {
        EXPECT_EQ(ProfileString("Support Information", key), value) << key;
    }

    RemoveOemFiles(HostPlatform());
    EXPECT_FALSE(Exists(ini));
    if (const auto hostSide = HostSideOf(L"windows\\system32\\oeminfo.ini")) {
        EXPECT_FALSE(fs::exists(*hostSide));
    }
}

TEST_F(Win32SystemFolder, AReadOnlyOemInfoIsLeftAsItWas) {
    const std::wstring ini = kSystem32 + L"\\oeminfo.ini";
    WriteBytes(fs::path(ini), "[General]\r\nManufacturer = Kept\r\n");
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    OemInfoRecord record;
    record.Manufacturer = L"Acme";
    ApplyChanges(HostPlatform(), record);
    EXPECT_EQ(ReadBytes(fs::path(ini)), "[General]\r\nManufacturer = Kept\r\n");
    EXPECT_FALSE(Exists(ini + L".partial"));
}

TEST_F(Win32SystemFolder, TheLogoLandsByteForByteAlsoFromADrivesRoot) {
    const std::wstring logo = kSystem32 + L"\\oemlogo.bmp";
    const std::string first = test::PatternBytes(172 * 100 * 3 + 54, 11);
    WriteBytes(fs::path(L"C:\\qm-root-logo.bmp"), first);
    ASSERT_TRUE(InstallOemLogo(HostPlatform(), L"C:\\", L"qm-root-logo.bmp"));
    EXPECT_EQ(ReadBytes(fs::path(logo)), first);
    if (const auto hostSide = HostSideOf(L"windows\\system32\\oemlogo.bmp")) {
        EXPECT_EQ(ReadBytes(*hostSide), first);
    }

    test::TempFolder pictures;
    const std::string second = test::PatternBytes(300 * 200 * 3 + 54, 12);
    WriteBytes(pictures.Fs("second.bmp"), second);
    ASSERT_TRUE(InstallOemLogo(HostPlatform(), pictures.Path(), L"second.bmp"));
    EXPECT_EQ(ReadBytes(fs::path(logo)), second);

    // A copy that fails half-way through reading, and one whose source is gone.
    test::TestPlatform failing;
    failing.realSystemFolder = true;
    failing.readBudget = 1000;
    EXPECT_FALSE(InstallOemLogo(failing, L"C:\\", L"qm-root-logo.bmp"));
    EXPECT_FALSE(InstallOemLogo(HostPlatform(), L"C:\\", L"qm-no-such-logo.bmp"));
    EXPECT_EQ(ReadBytes(fs::path(logo)), second);
    EXPECT_FALSE(Exists(logo + L".partial"));

    RemoveOemFiles(HostPlatform());
    EXPECT_FALSE(Exists(logo));
}

// Waits for a marker file that a started process writes.
std::optional<std::string> WaitForMarker(const std::wstring& path, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (Exists(path)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            return ReadBytes(fs::path(path));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::nullopt;
}

class LaunchFromPathWithBlanks : public testing::Test {
protected:
    const std::wstring folder = L"C:\\Program Files\\QM Test";
    const std::wstring tool = folder + L"\\marker tool.exe";
    const std::wstring planted = L"C:\\Program.exe";

    void SetUp() override {
        const std::wstring builtTool = HostPlatform().ExecutableFolder() + L"\\qm_marker_tool.exe";
        TearDown();
        CreateDirectoryW(folder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(builtTool.c_str(), tool.c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(builtTool.c_str(), planted.c_str(), FALSE));
    }
    void TearDown() override {
        for (const std::wstring& file : {tool, tool + L".ran", planted, planted + L".ran"}) {
            RemoveWhenFree(file);
        }
        RemoveDirectoryW(folder.c_str());
    }
};

TEST_F(LaunchFromPathWithBlanks, StartsExactlyTheStoredProgramAndNotAPlantedOne) {
    test::TempFolder settings;
    test::TestPlatform platform;
    platform.realStart = true;
    platform.executableFolder = settings.Path();
    test::FakeCurrentPath current(tool);
    LaunchGraphicsProgram(platform, current);

    const auto marker = WaitForMarker(tool + L".ran", std::chrono::seconds(30));
    ASSERT_TRUE(marker.has_value()) << "the stored program did not run";
    EXPECT_EQ(*marker, "argc=1\n\"C:\\Program Files\\QM Test\\marker tool.exe\"");
    EXPECT_FALSE(WaitForMarker(planted + L".ran", std::chrono::seconds(2)).has_value());
    EXPECT_EQ(ReadBytes(settings.Fs("program.cng")),
              "\"C:\\Program Files\\QM Test\\marker tool.exe\"\r\n");
}

TEST_F(LaunchFromPathWithBlanks, AMissingProgramFailsQuietly) {
    EXPECT_FALSE(StartGraphicsProgram(HostPlatform(), folder + L"\\gone.exe"));
    EXPECT_FALSE(StartGraphicsProgram(HostPlatform(), L""));
    EXPECT_FALSE(WaitForMarker(planted + L".ran", std::chrono::seconds(1)).has_value());
}

} // namespace
} // namespace qm
