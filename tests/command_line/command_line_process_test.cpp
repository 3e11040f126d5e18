// The program run from a command line, as a script runs it: a process of its
// own, its exit code and its output. It writes what the window writes, changes
// nothing when the request is wrong, and never creates a window.

#include "form1.h"
#include "logo_installation.h"
#include "oem_info_file.h"
#include "picture_view.h"
#include "platform.h"
#include "program_run.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace qm::test {
namespace {

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

std::wstring SystemFile(const wchar_t* name) {
    return SystemFolder() + L"\\" + name;
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteAll(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

std::string Encoded(UINT codePage, const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int needed =
        WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), needed, nullptr,
                        nullptr);
    return bytes;
}

std::string Utf16Le(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return bytes;
}

// Every file of the system folder: its size and time of last writing.
std::map<std::wstring, std::pair<ULONGLONG, ULONGLONG>> FolderState(const std::wstring& folder) {
    std::map<std::wstring, std::pair<ULONGLONG, ULONGLONG>> state;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return state;
    }
    do {
        const ULONGLONG size = (ULONGLONG(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        const ULONGLONG time = (ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32) |
                               found.ftLastWriteTime.dwLowDateTime;
        state[found.cFileName] = {size, time};
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return state;
}

// The texts a user types, with characters that each encoding writes differently.
struct Texts {
    const wchar_t* name;
    int box;
    std::wstring OemInfoRecord::*field;
    std::wstring text;
};

const Texts kTexts[] = {
    {L"Manufacturer", form1::Text1, &OemInfoRecord::Manufacturer, L"M\u00FCller & S\u00F6hne"},
    {L"Model", form1::Text2, &OemInfoRecord::Model, L"Mod\u00E8le 9 \u2013 \u20AC"},
    {L"SupportName", form1::Text3, &OemInfoRecord::SupportName, L"Service desk"},
    {L"SupportEMail", form1::Text4, &OemInfoRecord::SupportEMail, L"help@example.com"},
    {L"SupportPhone", form1::Text5, &OemInfoRecord::SupportPhone, L"555-0100"},
    {L"SupportFax", form1::Text6, &OemInfoRecord::SupportFax, L""},
    {L"SupportAddress1", form1::Text14, &OemInfoRecord::SupportAddress1, L" 1 Harbour Road "},
    {L"SupportAddress2", form1::Text15, &OemInfoRecord::SupportAddress2, L"Springfield"},
    {L"SupportWebsite", form1::Text19, &OemInfoRecord::SupportWebsite, L"http://example.com/"},
};

std::wstring BrandingText(const wchar_t* lineEnd) {
    std::wstring text = L"; the texts of the window test\r\n[Branding]" + std::wstring(lineEnd);
    for (const Texts& t : kTexts) {
        text += std::wstring(t.name) + L"=\"" + t.text + L"\"" + lineEnd;
    }
    return text;
}

class CommandLineProgram : public testing::Test {
protected:
    void SetUp() override {
        RemoveBrandingFiles();
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"qm-command-line-" + std::to_wstring(GetTickCount());
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const wchar_t* name : {L"oeminfo.ini", L"oemlogo.bmp"}) {
            SetFileAttributesW(SystemFile(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        RemoveBrandingFiles();
        for (const std::wstring& file : made_) {
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }

    static void RemoveBrandingFiles() {
        DeleteFileW(SystemFile(L"oeminfo.ini").c_str());
        DeleteFileW(SystemFile(L"oemlogo.bmp").c_str());
    }

    // A file of the test's own, removed afterwards.
    std::wstring Made(const std::wstring& name, const std::string& bytes) {
        const std::wstring path = folder_ + L"\\" + name;
        WriteAll(path, bytes);
        made_.push_back(path);
        return path;
    }

    // Runs the program and checks what holds for every run: it ends, and
    // creates no window.
    ProgramRun Run(const std::vector<std::wstring>& arguments, Caller caller = Caller::Pipe) {
        ProgramRun run = RunProgram(arguments, caller);
        EXPECT_TRUE(run.ended);
        for (const std::wstring& window : run.windows) {
            ADD_FAILURE() << "created a window of class " << Narrow(window);
        }
        return run;
    }

    std::wstring folder_;
    std::vector<std::wstring> made_;
};

std::wstring Samples() {
    std::wstring path = L"Z:";
    for (char c : std::string(QM_SAMPLES_DIR)) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return path;
}

TEST_F(CommandLineProgram, TheWatchSeesTheWindowsOfAStartWithoutArguments) {
    // Without this, "no window" below could mean that the watch sees nothing.
    const std::vector<std::wstring> windows = WindowsOfAStartWithoutArguments(15000);
    EXPECT_FALSE(windows.empty());
}

TEST_F(CommandLineProgram, ApplyWritesTheWindowsBytesFromEveryEncoding) {
    // What Apply Changes writes from these texts in the real window.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ASSERT_TRUE(RegisterPictureView());
    std::string fromWindow;
    {
        Form1 form(HostPlatform());
        ASSERT_TRUE(form.Create());
        for (const Texts& t : kTexts) {
            SetWindowTextW(GetDlgItem(form.Handle(), t.box), t.text.c_str());
        }
        SendMessageW(GetDlgItem(form.Handle(), form1::Command3), BM_CLICK, 0, 0);
        PumpPendingMessages();
        fromWindow = ReadAll(SystemFile(L"oeminfo.ini"));
    }
    PumpPendingMessages();
    ASSERT_FALSE(fromWindow.empty());
    RemoveBrandingFiles();

    const struct {
        const wchar_t* name;
        std::string bytes;
    } encodings[] = {
        {L"utf8.ini", Encoded(CP_UTF8, BrandingText(L"\r\n"))},
        {L"utf8-lf.ini", Encoded(CP_UTF8, BrandingText(L"\n"))},
        {L"utf8-mark.ini", "\xEF\xBB\xBF" + Encoded(CP_UTF8, BrandingText(L"\r\n"))},
        {L"utf16.ini", Utf16Le(BrandingText(L"\r\n"))},
        {L"utf16-lf.ini", Utf16Le(BrandingText(L"\n"))},
        {L"ansi.ini", Encoded(CP_ACP, BrandingText(L"\r\n"))},
        {L"ansi-lf.ini", Encoded(CP_ACP, BrandingText(L"\n"))},
    };
    for (const auto& encoding : encodings) {
        SCOPED_TRACE(Narrow(encoding.name));
        const ProgramRun run = Run({L"/apply", Made(encoding.name, encoding.bytes)});
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        EXPECT_EQ(ReadAll(SystemFile(L"oeminfo.ini")), fromWindow);
        EXPECT_EQ(run.output, "done: write file " + Narrow(SystemFile(L"oeminfo.ini")) + "\r\n");
        RemoveBrandingFiles();
    }
}

TEST_F(CommandLineProgram, ApplyInstallsTheLogoAsUseThisLogoDoes) {
    // What "Use this Logo" puts in place for the sample bitmap.
    ASSERT_TRUE(InstallOemLogo(HostPlatform(), Samples(), L"logo.bmp"));
    const std::string fromBrowser = ReadAll(SystemFile(L"oemlogo.bmp"));
    ASSERT_EQ(fromBrowser, ReadAll(Samples() + L"\\logo.bmp"));
    RemoveBrandingFiles();

    const ProgramRun run = Run({L"-Apply", Samples() + L"\\branding.ini"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(ReadAll(SystemFile(L"oemlogo.bmp")), fromBrowser);
    const OemInfoRecord sample{L"Tessaly Systems",
                               L"TS-200 Desktop",
                               L"Tessaly Service Desk",
                               L"help@tessaly.example.com",
                               L"+1 555 0100",
                               L"+1 555 0101",
                               L"1 Harbour Road, Suite 4",
                               L"Springfield, OR 97000",
                               L"http://support.tessaly.example.com/",
                               L"\""};
    EXPECT_EQ(ReadAll(SystemFile(L"oeminfo.ini")), OemInfoFileBytes(sample));
    EXPECT_EQ(run.output, "done: write file " + Narrow(SystemFile(L"oeminfo.ini")) + "\r\n" +
                              "done: copy file " + Narrow(SystemFile(L"oemlogo.bmp")) + " from " +
                              Narrow(Samples()) + "\\logo.bmp\r\n");
}

TEST_F(CommandLineProgram, RemoveDeletesBothFiles) {
    WriteAll(SystemFile(L"oeminfo.ini"), "[General]\r\n");
    WriteAll(SystemFile(L"oemlogo.bmp"), ReadAll(Samples() + L"\\logo.bmp"));
    ProgramRun run = Run({L"/REMOVE"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_FALSE(Exists(SystemFile(L"oeminfo.ini")));
    EXPECT_FALSE(Exists(SystemFile(L"oemlogo.bmp")));
    EXPECT_EQ(run.output, "done: remove file " + Narrow(SystemFile(L"oeminfo.ini")) +
                              "\r\ndone: remove file " + Narrow(SystemFile(L"oemlogo.bmp")) +
                              "\r\n");

    run = Run({L"/remove"});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("nothing to do: remove file"), std::string::npos) << run.output;
}

TEST_F(CommandLineProgram, AReadOnlyFileGivesOneAndSaysWhereAndWhy) {
    const std::string earlier = "[General]\r\nManufacturer = Earlier\r\n";
    WriteAll(SystemFile(L"oeminfo.ini"), earlier);
    SetFileAttributesW(SystemFile(L"oeminfo.ini").c_str(), FILE_ATTRIBUTE_READONLY);

    ProgramRun run = Run({L"/apply", Samples() + L"\\branding.ini"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_EQ(ReadAll(SystemFile(L"oeminfo.ini")), earlier);
    const std::string failed = "failed: write file " + Narrow(SystemFile(L"oeminfo.ini")) + ": ";
    EXPECT_EQ(run.output.rfind(failed, 0), 0u) << run.output;
    EXPECT_NE(run.output.find("(error "), std::string::npos) << run.output;
    // The other step still ran, and says so.
    EXPECT_NE(run.output.find("done: copy file"), std::string::npos) << run.output;
    EXPECT_TRUE(Exists(SystemFile(L"oemlogo.bmp")));

    run = Run({L"/remove"});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_EQ(ReadAll(SystemFile(L"oeminfo.ini")), earlier);
    EXPECT_FALSE(Exists(SystemFile(L"oemlogo.bmp")));
    EXPECT_EQ(run.output.rfind("failed: remove file " + Narrow(SystemFile(L"oeminfo.ini")), 0), 0u)
        << run.output;
}

TEST_F(CommandLineProgram, AWrongRequestLeavesTheSystemFolderAsItWasAndGivesTwo) {
    WriteAll(SystemFile(L"oeminfo.ini"), "[General]\r\nManufacturer = Earlier\r\n");
    WriteAll(SystemFile(L"oemlogo.bmp"), ReadAll(Samples() + L"\\logo.bmp"));
    const std::string earlierInfo = ReadAll(SystemFile(L"oeminfo.ini"));
    const std::string earlierLogo = ReadAll(SystemFile(L"oemlogo.bmp"));
    const auto before = FolderState(SystemFolder());

    const std::string good = "[Branding]\r\nModel=M\r\n";
    std::string tooLarge = good;
    tooLarge.resize(1024 * 1024 + 1, ' ');
    Made(L"text.bmp", "no bitmap\r\n");
    const struct {
        const char* name;
        std::vector<std::wstring> arguments;
        const char* says;
    } cases[] = {
        {"misspelt switch", {L"/aply", Made(L"a.ini", good)}, "unknown switch \"/aply\""},
        {"no switch", {Made(L"b.ini", good)}, "unknown switch"},
        {"missing file argument", {L"/apply"}, "needs its FILE"},
        {"extra argument", {L"/apply", Made(L"c.ini", good), L"now"}, "one argument too many"},
        {"remove with an argument", {L"/remove", L"all"}, "one argument too many"},
        {"missing file", {L"/apply", folder_ + L"\\missing.ini"}, "cannot be opened"},
        {"unknown key",
         {L"/apply", Made(L"d.ini", good + "SupportHouts=9-5\r\n")},
         "line 3: unknown key \"SupportHouts\""},
        {"key twice", {L"/apply", Made(L"e.ini", good + "model=N\r\n")}, "line 3"},
        {"unknown section",
         {L"/apply", Made(L"f.ini", "[General]\r\nModel=M\r\n")},
         "unknown section"},
        {"too large", {L"/apply", Made(L"g.ini", tooLarge)}, "larger than 1 MiB"},
        {"not text",
         {L"/apply", Made(L"h.ini", ReadAll(Samples() + L"\\logo.bmp"))},
         "not a text file"},
        {"missing logo",
         {L"/apply", Made(L"i.ini", good + "Logo=gone.bmp\r\n")},
         "gone.bmp (line 3) cannot be opened"},
        {"logo that is no bitmap",
         {L"/apply", Made(L"j.ini", good + "Logo=text.bmp\r\n")},
         "text.bmp (line 3) is not a bitmap"},
        // Devices are no files: CON would wait for input, NUL would read as empty.
        {"a device as the file", {L"/apply", L"CON"}, "cannot be opened"},
        {"a device as the logo",
         {L"/apply", Made(L"k.ini", good + "Logo=NUL\r\n")},
         "NUL (line 3) cannot be opened"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 2u) << run.output;
        EXPECT_EQ(run.output.rfind("error: ", 0), 0u) << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("Nothing was changed.\r\n"), std::string::npos) << run.output;
        EXPECT_EQ(ReadAll(SystemFile(L"oeminfo.ini")), earlierInfo);
        EXPECT_EQ(ReadAll(SystemFile(L"oemlogo.bmp")), earlierLogo);
        EXPECT_TRUE(FolderState(SystemFolder()) == before);
    }
}

TEST_F(CommandLineProgram, WritesToItsParentsConsoleOrNowhere) {
    // Started by a process without a console, it has nobody to tell, and still
    // does its work and ends with its code.
    FreeConsole();
    ProgramRun run = Run({L"/?"}, Caller::NoConsole);
    EXPECT_EQ(run.exitCode, 0u);
    run = Run({L"/apply", folder_ + L"\\missing.ini"}, Caller::NoConsole);
    EXPECT_EQ(run.exitCode, 2u);

    // Started from a console, it writes there.
    ASSERT_TRUE(AllocConsole());
    HANDLE screen =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(screen, INVALID_HANDLE_VALUE);
    const auto clear = [&] {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(screen, &info);
        DWORD written = 0;
        FillConsoleOutputCharacterW(screen, L' ', static_cast<DWORD>(info.dwSize.X) * info.dwSize.Y,
                                    COORD{0, 0}, &written);
        SetConsoleCursorPosition(screen, COORD{0, 0});
    };
    const auto screenText = [&] {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(screen, &info);
        std::wstring text(static_cast<std::size_t>(info.dwSize.X) * info.dwSize.Y, L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen, text.data(), static_cast<DWORD>(text.size()),
                                    COORD{0, 0}, &read);
        text.resize(read);
        return text;
    };

    clear();
    run = Run({L"/?"}, Caller::Console);
    EXPECT_EQ(run.exitCode, 0u);
    std::wstring text = screenText();
    EXPECT_NE(text.find(L"/apply FILE"), std::wstring::npos) << Narrow(text);

    clear();
    run = Run({L"/nonsense"}, Caller::Console);
    EXPECT_EQ(run.exitCode, 2u);
    text = screenText();
    EXPECT_NE(text.find(L"error: unknown switch \"/nonsense\""), std::wstring::npos)
        << Narrow(text);
    CloseHandle(screen);
    FreeConsole();
}

} // namespace
} // namespace qm::test
