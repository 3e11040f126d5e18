// This 32-bit program in a 64-bit prefix, as on 64-bit Windows: the branding
// files must land in and vanish from the real system32, where the 64-bit System
// Properties reads them, never the 32-bit view's SysWOW64.
//
// Every check on the files goes through Z:, Wine's mapping of the Linux file
// system, which no redirection touches.

#include "ansi_text.h"
#include "branding_commands.h"
#include "get_system_folder.h"
#include "logo_installation.h"
#include "temp_folder.h"
#include "test_platform.h"
#include "win32/wow64_redirection.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

constexpr WORD kI386 = 0x14C;
constexpr WORD kAmd64 = 0x8664;
const std::wstring kRundll32 = L"C:\\windows\\system32\\rundll32.exe";

// A file under the prefix's drive_c\windows, named past any redirection.
fs::path Real(const std::wstring& underWindows) {
    const char* prefix = std::getenv("WINEPREFIX");
    return fs::path(L"Z:" + FromAnsi(prefix ? prefix : "") + L"\\drive_c\\windows\\" +
                    underWindows);
}

// The machine type of a program file, as this thread sees the path; 0 when
// it cannot be read.
WORD MachineOf(const fs::path& program) {
    const std::optional<std::string> bytes = ReadBytes(program);
    if (!bytes || bytes->size() < 0x40) {
        return 0;
    }
    DWORD header = 0;
    std::memcpy(&header, bytes->data() + 0x3C, sizeof(header));
    WORD machine = 0;
    if (header + 6 > bytes->size()) {
        return 0;
    }
    std::memcpy(&machine, bytes->data() + header + 4, sizeof(machine));
    return machine;
}

const wchar_t* const kBrandingFiles[] = {L"oeminfo.ini", L"oemlogo.bmp", L"oeminfo.ini.partial",
                                         L"oemlogo.bmp.partial", L"qm-source.bmp"};

// The 32-bit view holds files of its own under the branding files' names; they
// must come through every command untouched.
class Wow64SystemFolder : public testing::Test {
protected:
    const std::string kWowInfo = "[General]\r\nManufacturer = 32-bit view\r\n";
    const std::string kWowLogo = "BM 32-bit view's logo";

    void SetUp() override {
        BOOL wow64 = FALSE;
        ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
        ASSERT_TRUE(wow64) << "this test belongs in the 64-bit prefix";
        ASSERT_NE(std::getenv("WINEPREFIX"), nullptr);
        RemoveAll();
        WriteBytes(Real(L"syswow64\\oeminfo.ini"), kWowInfo);
        WriteBytes(Real(L"syswow64\\oemlogo.bmp"), kWowLogo);
    }
    void TearDown() override {
        EXPECT_EQ(ReadBytes(Real(L"syswow64\\oeminfo.ini")), kWowInfo);
        EXPECT_EQ(ReadBytes(Real(L"syswow64\\oemlogo.bmp")), kWowLogo);
        // The thread sees the 32-bit view again.
        EXPECT_EQ(MachineOf(kRundll32), kI386);
        RemoveAll();
    }

    static void RemoveAll() {
        std::error_code ignored;
        for (const wchar_t* name : kBrandingFiles) {
            fs::remove(Real(std::wstring(L"system32\\") + name), ignored);
            fs::remove(Real(std::wstring(L"syswow64\\") + name), ignored);
        }
    }

    static bool InSystem32(const wchar_t* name) {
        return fs::exists(Real(std::wstring(L"system32\\") + name));
    }
};

TEST_F(Wow64SystemFolder, TheTwoViewsDifferAndOnlyTheGuardShowsTheRealOne) {
    EXPECT_EQ(MachineOf(Real(L"system32\\rundll32.exe")), kAmd64);
    EXPECT_EQ(MachineOf(Real(L"syswow64\\rundll32.exe")), kI386);
    EXPECT_EQ(GetSystemFolderPath(HostPlatform()), L"C:\\windows\\system32");

    EXPECT_EQ(MachineOf(kRundll32), kI386);
    {
        Wow64RedirectionOff outer;
        EXPECT_TRUE(outer.SwitchedOff());
        EXPECT_EQ(MachineOf(kRundll32), kAmd64);
        {
            Wow64RedirectionOff inner;
            EXPECT_EQ(MachineOf(kRundll32), kAmd64);
        }
        // The inner one restores the state it found: still off.
        EXPECT_EQ(MachineOf(kRundll32), kAmd64);
    }
    EXPECT_EQ(MachineOf(kRundll32), kI386);
}

TEST_F(Wow64SystemFolder, OemInfoLandsInAndVanishesFromSystem32) {
    OemInfoRecord record;
    record.Manufacturer = L"Acme Computers";
    record.SupportName = L"Help Desk";
    record.Quote = L"\"";
    ApplyChanges(HostPlatform(), record);
    EXPECT_EQ(ReadBytes(Real(L"system32\\oeminfo.ini")), OemInfoFileBytes(record));
    EXPECT_FALSE(InSystem32(L"oeminfo.ini.partial"));

    RemoveOemFiles(HostPlatform());
    EXPECT_FALSE(InSystem32(L"oeminfo.ini"));
}

TEST_F(Wow64SystemFolder, TheLogoIsReadAsThePictureBrowserSawItAndLandsInSystem32) {
    // The same name in both views: the one a 32-bit program sees is the source.
    const std::string seen = test::PatternBytes(172 * 100 * 3 + 54, 21);
    WriteBytes(Real(L"syswow64\\qm-source.bmp"), seen);
    WriteBytes(Real(L"system32\\qm-source.bmp"), "BM not the one the user saw");
    ASSERT_TRUE(InstallOemLogo(HostPlatform(), L"C:\\windows\\system32", L"qm-source.bmp"));
    EXPECT_EQ(ReadBytes(Real(L"system32\\oemlogo.bmp")), seen);

    test::TempFolder pictures;
    const std::string replacement = test::PatternBytes(300 * 200 * 3 + 54, 22);
    WriteBytes(pictures.Fs("second.bmp"), replacement);
    ASSERT_TRUE(InstallOemLogo(HostPlatform(), pictures.Path(), L"second.bmp"));
    EXPECT_EQ(ReadBytes(Real(L"system32\\oemlogo.bmp")), replacement);
    EXPECT_FALSE(InSystem32(L"oemlogo.bmp.partial"));

    RemoveOemFiles(HostPlatform());
    EXPECT_FALSE(InSystem32(L"oemlogo.bmp"));
}

TEST_F(Wow64SystemFolder, PreviewStartsThe64BitProgram) {
    test::TestPlatform platform;
    platform.realSystemFolder = true;
    platform.realSystemFolderAccess = true;
    WORD machineAtStart = 0;
    platform.onStart = [&] { machineAtStart = MachineOf(platform.started.back().application); };
    OemInfoRecord record;
    record.Manufacturer = L"Acme Computers";
    PreviewChanges(platform, record);

    // rundll32.exe up to Windows XP x64, control.exe from Vista on.
    ASSERT_EQ(platform.started.size(), 1u);
    EXPECT_EQ(platform.started[0].application,
              HostPlatform().IsVistaOrLater() ? L"C:\\windows\\system32\\control.exe" : kRundll32);
    EXPECT_EQ(machineAtStart, kAmd64);
    EXPECT_EQ(ReadBytes(Real(L"system32\\oeminfo.ini")), OemInfoFileBytes(record));
}

TEST_F(Wow64SystemFolder, PreviewWithTheRealStartWritesSystem32) {
    OemInfoRecord record;
    record.Model = L"Tower 9000";
    PreviewChanges(HostPlatform(), record);
    EXPECT_EQ(ReadBytes(Real(L"system32\\oeminfo.ini")), OemInfoFileBytes(record));
}

} // namespace
} // namespace qm
