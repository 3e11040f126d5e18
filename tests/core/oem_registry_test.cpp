// The real registry and system folder of the Wine prefix this runs in, whose
// Windows version the prefix pins (QM_WINEVERSION): Windows XP reads only the
// files and must find the registry untouched; Windows 7 and 10 read the
// OEMInformation key, in the 64-bit view, never Wow6432Node.

#include "ansi_text.h"
#include "branding_commands.h"
#include "get_system_folder.h"
#include "logo_installation.h"
#include "oem_information_key.h"
#include "temp_folder.h"
#include "test_platform.h"
#include "win32/wow64_redirection.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

const std::wstring kKey = kOemInformationKeyPath;
const std::wstring kWowKey =
    L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
const wchar_t* const kWritten[] = {L"Manufacturer", L"Model", L"SupportPhone", L"SupportURL",
                                   L"Logo"};

// What the prefix was made to report; empty outside the test runner.
std::string PinnedVersion() {
    const char* version = std::getenv("QM_WINEVERSION");
    return version ? version : "";
}

bool PinnedToVista() {
    const std::string version = PinnedVersion();
    return version != "winxp" && version != "winxp64";
}

// Every value of a key, read through the registry API in the 64-bit view; a
// number as "#<n>".
std::map<std::wstring, std::wstring> ValuesOf(const std::wstring& path) {
    std::map<std::wstring, std::wstring> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256] = {};
        DWORD nameLength = 256;
        DWORD type = 0;
        BYTE data[4096] = {};
        DWORD size = sizeof(data) - sizeof(wchar_t);
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        if (type == REG_DWORD) {
            DWORD number = 0;
            std::memcpy(&number, data, sizeof(number));
            values[name] = L"#" + std::to_wstring(number);
        } else {
            values[name] = reinterpret_cast<const wchar_t*>(data);
        }
    }
    RegCloseKey(key);
    return values;
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void Plant(const std::wstring& name, const std::wstring& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey.c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void PlantNumber(const std::wstring& name, DWORD number) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey.c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof(number));
    RegCloseKey(key);
}

void DeleteKey(const std::wstring& path) {
    // RegDeleteKeyExW is Vista's; the values go one by one, then the empty key.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                      &key) == ERROR_SUCCESS) {
        for (const auto& [name, value] : ValuesOf(path)) {
            RegDeleteValueW(key, name.c_str());
        }
        RegCloseKey(key);
    }
}

// Waits for the marker file a started stand-in writes.
std::optional<std::string> WaitForMarker(const std::wstring& path, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            return ReadBytes(fs::path(path));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::nullopt;
}

// The system folder's files as 64-bit Windows has them: a 32-bit program on
// 64-bit Windows would otherwise see SysWOW64.
std::optional<std::string> ReadSystemFile(const std::wstring& path) {
    Wow64RedirectionOff off;
    return ReadBytes(fs::path(path));
}

bool SystemFileExists(const std::wstring& path) {
    Wow64RedirectionOff off;
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class OemRegistry : public testing::Test {
protected:
    void SetUp() override {
        if (PinnedVersion().empty()) {
            GTEST_SKIP() << "runs only in a prefix pinned by the test runner";
        }
        ASSERT_TRUE(folder_.has_value());
        Clean();
    }
    void TearDown() override { Clean(); }

    void Clean() {
        DeleteKey(kKey);
        DeleteKey(kWowKey);
        Wow64RedirectionOff off;
        for (const wchar_t* name : {L"\\oeminfo.ini", L"\\oemlogo.bmp"}) {
            DeleteFileW((*folder_ + name).c_str());
        }
    }

    std::wstring System(const wchar_t* name) const { return *folder_ + L"\\" + name; }

    const std::optional<std::wstring> folder_ = GetSystemFolderPath(HostPlatform());
};

TEST_F(OemRegistry, TheVersionAskedIsThePrefixs) {
    EXPECT_EQ(HostPlatform().IsVistaOrLater(), PinnedToVista()) << PinnedVersion();
}

TEST_F(OemRegistry, ApplyLogoAndRemoveReachTheKeyOnlyFromVistaOn) {
    Plant(L"SupportHours", L"9-17");
    Plant(L"SupportURL", L"http://earlier.example.com");
    PlantNumber(L"HelpCustomized", 1);
    const auto planted = ValuesOf(kKey);

    OemInfoRecord record;
    record.Manufacturer = L"Acme \u4E2D\u6587 \u2014 \u00C9lan"; // outside every code page
    record.Model = L"Tower\r\n9000";
    record.SupportName = L"Desk";
    record.SupportPhone = L"+49 30 1234567";
    record.Quote = L"\""; // the website stays empty
    EXPECT_TRUE(ApplyChanges(HostPlatform(), record));
    EXPECT_EQ(ReadSystemFile(System(L"oeminfo.ini")), OemInfoFileBytes(record));

    test::TempFolder pictures;
    WriteBytes(pictures.Fs("logo.bmp"), test::PatternBytes(2000, 3));
    EXPECT_TRUE(InstallOemLogo(HostPlatform(), pictures.Path(), L"logo.bmp"));

    if (!PinnedToVista()) {
        EXPECT_EQ(ValuesOf(kKey), planted);
    } else {
        const std::wstring logo = System(L"oemlogo.bmp");
        EXPECT_EQ(lstrcmpiW(logo.c_str(), L"C:\\windows\\system32\\oemlogo.bmp"), 0);
        EXPECT_EQ(ValuesOf(kKey), (std::map<std::wstring, std::wstring>{
                                      {L"Manufacturer", L"Acme \u4E2D\u6587 \u2014 \u00C9lan"},
                                      {L"Model", L"Tower  9000"},
                                      {L"SupportPhone", L"+49 30 1234567"},
                                      {L"SupportHours", L"9-17"},
                                      {L"HelpCustomized", L"#0"},
                                      {L"Logo", logo},
                                  }));
    }
    EXPECT_TRUE(ValuesOf(kWowKey).empty());

    EXPECT_TRUE(RemoveOemFiles(HostPlatform()));
    EXPECT_FALSE(SystemFileExists(System(L"oeminfo.ini")));
    EXPECT_FALSE(SystemFileExists(System(L"oemlogo.bmp")));
    if (!PinnedToVista()) {
        EXPECT_EQ(ValuesOf(kKey), planted);
    } else {
        EXPECT_EQ(ValuesOf(kKey), (std::map<std::wstring, std::wstring>{
                                      {L"SupportHours", L"9-17"}, {L"HelpCustomized", L"#0"}}));
        EXPECT_TRUE(KeyExists(kKey));
    }
    EXPECT_TRUE(ValuesOf(kWowKey).empty());
}

TEST_F(OemRegistry, OnWindowsXpNoKeyIsMade) {
    if (PinnedToVista()) {
        GTEST_SKIP() << "Windows XP only";
    }
    // Removing every value leaves an empty key behind from earlier runs; only a
    // value would show a write.
    OemInfoRecord record;
    record.Manufacturer = L"Acme";
    ApplyChanges(HostPlatform(), record);
    RemoveOemFiles(HostPlatform());
    EXPECT_TRUE(ValuesOf(kKey).empty());
}

// A stand-in beside this test program under the name of the page's program,
// which writes "<its name>.ran" when started: a program search would find it first.
class PreviewStart : public OemRegistry {
protected:
    void SetUp() override {
        OemRegistry::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        const std::wstring tool = HostPlatform().ExecutableFolder() + L"\\qm_marker_tool.exe";
        real_ = System(PinnedToVista() ? L"control.exe" : L"rundll32.exe");
        planted_ = HostPlatform().ExecutableFolder() + L"\\" +
                   (PinnedToVista() ? L"control.exe" : L"rundll32.exe");
        ASSERT_TRUE(CopyFileW(tool.c_str(), planted_.c_str(), FALSE));
    }
    void TearDown() override {
        for (const std::wstring& file : {planted_, planted_ + L".ran"}) {
            DeleteFileW(file.c_str());
        }
        OemRegistry::TearDown();
    }

    std::wstring real_;
    std::wstring planted_;
};

TEST_F(PreviewStart, StartsExactlyTheSystemFoldersProgramOnceTheBrandingIsIn) {
    test::TestPlatform platform;
    platform.realSystemFolder = true;
    platform.realSystemFolderAccess = true;
    platform.realStart = true;
    std::map<std::wstring, std::wstring> valuesAtStart;
    platform.onStart = [&] { valuesAtStart = ValuesOf(kKey); };
    OemInfoRecord record;
    record.Model = L"Tower 9000";
    const CommandReport report = PreviewChanges(platform, record);
    EXPECT_TRUE(report);

    ASSERT_EQ(platform.started.size(), 1u);
    EXPECT_EQ(platform.started[0].application, real_);
    const std::string commandLine = PinnedToVista()
                                        ? "control.exe /name Microsoft.System"
                                        : "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl";
    EXPECT_EQ(ToAnsi(platform.started[0].commandLine), commandLine);
    // The system folder's program really started; the stand-in never did.
    ASSERT_FALSE(report.steps.empty());
    EXPECT_EQ(report.steps.back().action, StepAction::StartProgram);
    EXPECT_EQ(report.steps.back().status, StepStatus::Done);
    EXPECT_FALSE(WaitForMarker(planted_ + L".ran", std::chrono::seconds(2)).has_value());
    EXPECT_EQ(valuesAtStart.count(L"Model"), PinnedToVista() ? 1u : 0u);
}

} // namespace
} // namespace qm
