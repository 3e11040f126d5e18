// The backup of a machine's own branding, end to end in the Wine prefix: the
// real main window's Apply Changes takes it, later changes leave it as it is, and
// the built program's /restore, run as its own process, puts the maker's files
// (and on Windows 10 the maker's registry values) back byte for byte.

#include "backed_up_commands.h"
#include "form1_fixture.h"
#include "oem_information_key.h"
#include "program_run.h"
#include "window_test_support.h"

#include <windows.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace qm::test {
namespace {

using namespace form1;
namespace fs = std::filesystem;

// A value as the registry holds it; nullopt when it is not there.
struct RawValue {
    DWORD type;
    std::string data;
    bool operator==(const RawValue& other) const {
        return type == other.type && data == other.data;
    }
};
using RawValues = std::map<std::wstring, std::optional<RawValue>>;

const wchar_t* const kManagedValues[] = {L"Manufacturer", L"Model", L"SupportPhone",
                                         L"SupportURL",   L"Logo",  L"HelpCustomized",
                                         L"SupportHours"};

bool Windows10() {
    const char* version = std::getenv("QM_WINEVERSION");
    return version && std::string(version) == "win10";
}

HKEY OpenKey(REGSAM access) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kOemInformationKeyPath, 0, nullptr, 0,
                    access | KEY_WOW64_64KEY, nullptr, &key, nullptr);
    return key;
}

RawValues ReadValues() {
    RawValues values;
    HKEY key = OpenKey(KEY_QUERY_VALUE);
    for (const wchar_t* name : kManagedValues) {
        BYTE data[4096];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (key && RegQueryValueExW(key, name, nullptr, &type, data, &size) == ERROR_SUCCESS) {
            values[name] = RawValue{type, std::string(reinterpret_cast<char*>(data), size)};
        } else {
            values[name] = std::nullopt;
        }
    }
    if (key) {
        RegCloseKey(key);
    }
    return values;
}

void WriteValues(const RawValues& values) {
    HKEY key = OpenKey(KEY_SET_VALUE);
    ASSERT_NE(key, nullptr);
    for (const auto& [name, value] : values) {
        if (value) {
            RegSetValueExW(key, name.c_str(), 0, value->type,
                           reinterpret_cast<const BYTE*>(value->data.data()),
                           static_cast<DWORD>(value->data.size()));
        } else {
            RegDeleteValueW(key, name.c_str());
        }
    }
    RegCloseKey(key);
}

std::string Utf16(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()),
                       (text.size() + 1) * sizeof(wchar_t));
}

// The backup's place, asked from the system here as well.
fs::path BackupFolder() {
    wchar_t data[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data);
    return fs::path(data) / L"Quorvane Marquelle XP";
}

std::optional<std::string> ReadFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::optional<std::string> SystemFile(const char* name) {
    return ReadFileBytes(SystemFilePath(name));
}

class Form1Backup : public Form1Test {
protected:
    void BeforeStart() override {
        Clean();
        const fs::path art = fs::temp_directory_path() / "qm-backup-art";
        fs::create_directories(art);
        std::ofstream(art / "new logo.bmp", std::ios::binary) << "BM" << std::string(300, 'n');
        artFolder = art.wstring();
    }
    void TearDown() override {
        Form1Test::TearDown();
        Clean();
    }
    void Clean() {
        std::error_code ignored;
        fs::remove_all(BackupFolder(), ignored);
        RemoveBrandingFiles();
        if (Windows10()) {
            RawValues none;
            for (const wchar_t* name : kManagedValues) {
                none[name] = std::nullopt;
            }
            WriteValues(none);
        }
    }
    ProgramRun Restore() {
        ProgramRun run = RunProgram({L"/restore"});
        EXPECT_TRUE(run.ended);
        EXPECT_TRUE(run.windows.empty());
        return run;
    }
    // Apply Changes from the window twice, and the browser's Use this Logo.
    void ChangeFromTheWindow() {
        SetText(Text1, L"First Maker");
        Click(Command3);
        SetText(Text1, L"Second Maker");
        SetText(Text19, L"http://second.example.com/");
        Click(Command3);
        // The command behind the picture browser's Use this Logo.
        EXPECT_TRUE(BackUpThenInstallLogo(platform_, artFolder, L"new logo.bmp"));
    }

    std::wstring artFolder;
};

TEST_F(Form1Backup, RestoreBringsTheMakersBrandingBackByteForByte) {
    const std::string makersInfo = "[General]\r\nManufacturer=\"Maker\"\r\nModel=\xC9t\xE9\r\n";
    const std::string makersLogo = "BM" + std::string(700, '\x5A');
    WriteSystemFile("oeminfo.ini", makersInfo);
    WriteSystemFile("oemlogo.bmp", makersLogo);
    const DWORD one = 1;
    const RawValues makersValues = {
        {L"Manufacturer", RawValue{REG_SZ, Utf16(L"Maker \u00C9lan")}},
        {L"Model", std::nullopt},
        {L"SupportPhone", RawValue{REG_SZ, Utf16(L"555-0199")}},
        {L"SupportURL", std::nullopt},
        {L"Logo", RawValue{REG_EXPAND_SZ, Utf16(L"%SystemRoot%\\system32\\oemlogo.bmp")}},
        {L"HelpCustomized",
         RawValue{REG_DWORD, std::string(reinterpret_cast<const char*>(&one), 4)}},
        {L"SupportHours", RawValue{REG_SZ, Utf16(L"9-17")}},
    };
    if (Windows10()) {
        WriteValues(makersValues);
    }

    SetText(Text1, L"Tool Maker");
    Click(Command3);
    const auto backup = ReadFileBytes(BackupFolder() / L"Branding backup.bin");
    ASSERT_TRUE(backup) << "Apply Changes took no backup";
    ChangeFromTheWindow();
    ASSERT_NE(SystemFile("oemlogo.bmp"), makersLogo);
    EXPECT_EQ(ReadFileBytes(BackupFolder() / L"Branding backup.bin"), backup)
        << "the backup was taken again";

    const ProgramRun run = Restore();
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(SystemFile("oeminfo.ini"), makersInfo);
    EXPECT_EQ(SystemFile("oemlogo.bmp"), makersLogo);
    if (Windows10()) {
        EXPECT_EQ(ReadValues(), makersValues);
    }
    EXPECT_EQ(ReadFileBytes(BackupFolder() / L"Branding backup.bin"), backup) << "the backup stays";
}

TEST_F(Form1Backup, WhatWasNotThereIsGoneAfterARestore) {
    const RawValues before = ReadValues();
    ChangeFromTheWindow();
    ASSERT_TRUE(SystemFile("oeminfo.ini"));
    const ProgramRun run = Restore();
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_FALSE(SystemFile("oeminfo.ini"));
    EXPECT_FALSE(SystemFile("oemlogo.bmp"));
    EXPECT_EQ(ReadValues(), before);
}

TEST_F(Form1Backup, AnUnwritableBackupFolderStopsApplyAndRestoreWithoutBackupSaysNever) {
    WriteSystemFile("oeminfo.ini", "maker's");
    const RawValues before = ReadValues();
    // A file where the program's folder would go: it cannot be made.
    const fs::path data = fs::temp_directory_path() / "qm-backup-blocked";
    fs::create_directories(data);
    std::ofstream(data / "Quorvane Marquelle XP") << "in the way";
    platform_.machineDataFolder = data.wstring();
    SetText(Text1, L"Not Written");
    Click(Command3);
    Click(Command4);
    EXPECT_FALSE(BackUpThenInstallLogo(platform_, artFolder, L"new logo.bmp"));
    fs::remove_all(data);
    EXPECT_EQ(SystemFile("oeminfo.ini"), "maker's");
    EXPECT_FALSE(SystemFile("oemlogo.bmp"));
    EXPECT_EQ(ReadValues(), before);

    const ProgramRun run = Restore();
    EXPECT_EQ(run.exitCode, 2u) << run.output;
    EXPECT_NE(run.output.find("never changed this PC's branding"), std::string::npos) << run.output;
    EXPECT_EQ(SystemFile("oeminfo.ini"), "maker's");
    EXPECT_FALSE(fs::exists(BackupFolder() / L"Branding backup.bin"));
}

} // namespace
} // namespace qm::test
