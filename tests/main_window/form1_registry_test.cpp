// The main window's buttons on 64-bit Windows 10, which shows the branding from
// the registry's OEMInformation key: Apply Changes and Preview write the values
// there (the 64-bit view), Preview opens the System page, Remove Oem deletes them.

#include "form1_fixture.h"
#include "oem_information_key.h"
#include "win32/wow64_redirection.h"

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>

namespace qm::test {
namespace {

using namespace form1;

class Form1OnWindows10 : public Form1Test {
protected:
    const std::wstring key = kOemInformationKeyPath;
    const std::wstring wowKey =
        L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";

    void BeforeStart() override { Clean(); }
    void TearDown() override {
        Form1Test::TearDown();
        Clean();
    }

    void Clean() {
        for (const std::wstring& path : {key, wowKey}) {
            HKEY opened = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY,
                              &opened) == ERROR_SUCCESS) {
                for (const wchar_t* name :
                     {L"Manufacturer", L"Model", L"SupportPhone", L"SupportURL", L"Logo"}) {
                    RegDeleteValueW(opened, name);
                }
                RegCloseKey(opened);
            }
        }
        Wow64RedirectionOff off;
        RemoveBrandingFiles();
    }

    std::optional<std::wstring> Value(const wchar_t* name) const {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                          &opened) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        wchar_t data[1024] = {};
        DWORD size = sizeof(data) - sizeof(wchar_t);
        DWORD type = 0;
        const LONG status =
            RegQueryValueExW(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(opened);
        if (status != ERROR_SUCCESS || type != REG_SZ) {
            return std::nullopt;
        }
        return std::wstring(data);
    }
};

TEST_F(Form1OnWindows10, ButtonsWriteShowAndRemoveTheRegistrysBranding) {
    const char* version = std::getenv("QM_WINEVERSION");
    ASSERT_NE(version, nullptr);
    ASSERT_STREQ(version, "win10");

    SetText(Text1, L"Maker \u4E2D\u6587");
    SetText(Text2, L"Model Two");
    SetText(Text5, L"555-0105");
    SetText(Text19, L"");
    Click(Command3);
    EXPECT_EQ(Value(L"Manufacturer"), L"Maker \u4E2D\u6587");
    EXPECT_EQ(Value(L"Model"), L"Model Two");
    EXPECT_EQ(Value(L"SupportPhone"), L"555-0105");
    EXPECT_EQ(Value(L"SupportURL"), std::nullopt);
    EXPECT_TRUE(platform_.starts.empty());

    SetText(Text19, L"http://nine.example.net/");
    Click(Command2);
    EXPECT_EQ(Value(L"SupportURL"), L"http://nine.example.net/");
    ASSERT_EQ(platform_.starts.size(), 1u);
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(platform_.starts[0].application, std::wstring(system) + L"\\control.exe");
    EXPECT_EQ(platform_.starts[0].commandLine, L"control.exe /name Microsoft.System");

    Click(Command4);
    for (const wchar_t* name : {L"Manufacturer", L"Model", L"SupportPhone", L"SupportURL"}) {
        EXPECT_EQ(Value(name), std::nullopt) << name;
    }
}

} // namespace
} // namespace qm::test
