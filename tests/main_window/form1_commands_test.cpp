// The buttons and menu entries: the branding commands act on the prefix's system
// folder, the window itself stays as it was, and ending asks nothing.

#include "form1_fixture.h"
#include "oem_info_file.h"
#include "picture_view.h"
#include "resource_ids.h"
#include "app_info.h"
#include "window_test_support.h"

#include <string>
#include <vector>

namespace qm::test {
namespace {

using namespace form1;

struct BoxText {
    int id;
    std::wstring text;
};

std::vector<BoxText> TextsOf(HWND form, const std::vector<int>& ids) {
    std::vector<BoxText> texts;
    for (int id : ids) {
        texts.push_back({id, TextOf(GetDlgItem(form, id))});
    }
    return texts;
}

const std::vector<int> kAllBoxes = {Text1,  Text2,  Text3,  Text4,  Text5,  Text6,  Text7,
                                    Text8,  Text9,  Text10, Text11, Text12, Text13, Text14,
                                    Text15, Text16, Text17, Text19, Text20};

bool operator==(const BoxText& a, const BoxText& b) {
    return a.id == b.id && a.text == b.text;
}

// The record the window holds at start.
OemInfoRecord InitialRecord() {
    return {L"Quorvane",
            L"R-idozuvov W3400",
            L"Dorran Pellicott",
            L"support@example.com",
            L"000-000-0000",
            L"000-000-0000",
            L"1200 Harbor Lane, Suite 4",
            L"Anytown, WA 98000",
            L"http://www.example.com/~dorran",
            L"\""};
}

OemInfoRecord InitialRecordWith(std::wstring OemInfoRecord::*field, const std::wstring& text) {
    OemInfoRecord record = InitialRecord();
    record.*field = text;
    return record;
}

struct ApplyCase {
    const char* name;
    std::vector<BoxText> edits; // applied to the boxes before the click
    OemInfoRecord expected;
};

std::vector<ApplyCase> ApplyCases() {
    return {
        {"edited fields go to their own lines",
         {{Text1, L"Maker One"},
          {Text2, L"Model Two"},
          {Text3, L"Name Three"},
          {Text4, L"four@example.org"},
          {Text5, L"555-0105"},
          {Text6, L"555-0106"},
          {Text14, L"7 Seventh Street"},
          {Text15, L"Eightville, OR 97008"},
          {Text19, L"http://nine.example.net/"}},
         {L"Maker One", L"Model Two", L"Name Three", L"four@example.org", L"555-0105", L"555-0106",
          L"7 Seventh Street", L"Eightville, OR 97008", L"http://nine.example.net/", L"\""}},
        {"empty fields pass on as empty texts",
         {{Text1, L""},
          {Text2, L""},
          {Text3, L""},
          {Text4, L""},
          {Text5, L""},
          {Text6, L""},
          {Text14, L""},
          {Text15, L""},
          {Text19, L""}},
         {L"", L"", L"", L"", L"", L"", L"", L"", L"", L"\""}},
        {"texts are passed unchanged, spaces and all",
         {{Text3, L"  Dorran  "}},
         InitialRecordWith(&OemInfoRecord::SupportName, L"  Dorran  ")},
        {"the quote comes from the hidden quote field",
         {{Text13, L"'"}},
         InitialRecordWith(&OemInfoRecord::Quote, L"'")},
    };
}

TEST_F(Form1Test, ApplyChangesWritesTheFieldsAsTheyAreAtTheClick) {
    for (const ApplyCase& c : ApplyCases()) {
        SCOPED_TRACE(c.name);
        Restart();
        RemoveBrandingFiles();
        for (const BoxText& edit : c.edits) {
            SetText(edit.id, edit.text);
        }
        const auto before = TextsOf(Form(), kAllBoxes);
        Click(Command3);
        EXPECT_EQ(OemInfoFileBytes(c.expected), ReadSystemFile("oeminfo.ini"));
        // The window shows nothing and changes nothing.
        EXPECT_TRUE(before == TextsOf(Form(), kAllBoxes));
        EXPECT_TRUE(IsWindowVisible(Form()));
        EXPECT_TRUE(platform_.starts.empty());
    }
}

TEST_F(Form1Test, ApplyChangesReplacesAnEarlierFile) {
    WriteSystemFile("oeminfo.ini", std::string(5000, '#'));
    SetText(Text1, L"Replacement");
    Click(Command3);
    EXPECT_EQ(OemInfoFileBytes(InitialRecordWith(&OemInfoRecord::Manufacturer, L"Replacement")),
              ReadSystemFile("oeminfo.ini"));
}

TEST_F(Form1Test, PreviewWritesTheFileThenOpensSystemProperties) {
    SetText(Text2, L"Previewed Model");
    const auto before = TextsOf(Form(), kAllBoxes);
    Click(Command2);
    const OemInfoRecord expected = InitialRecordWith(&OemInfoRecord::Model, L"Previewed Model");
    EXPECT_EQ(OemInfoFileBytes(expected), ReadSystemFile("oeminfo.ini"));
    ASSERT_EQ(1u, platform_.starts.size());
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(std::wstring(system) + L"\\rundll32.exe", platform_.starts[0].application);
    EXPECT_EQ(L"rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl",
              platform_.starts[0].commandLine);
    EXPECT_TRUE(before == TextsOf(Form(), kAllBoxes));
    EXPECT_TRUE(IsWindowVisible(Form()));
}

TEST_F(Form1Test, RemoveOemDeletesBothFilesAndKeepsFieldsAndPicture) {
    WriteSystemFile("oeminfo.ini", "[General]\r\n");
    WriteSystemFile("oemlogo.bmp", "BM");
    SetText(Text1, L"Kept Maker");
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, 30, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(nullptr, picture);
    form_->SetLogoPicture(picture);
    const auto before = TextsOf(Form(), kAllBoxes);

    Click(Command4);

    EXPECT_FALSE(SystemFileExists("oeminfo.ini"));
    EXPECT_FALSE(SystemFileExists("oemlogo.bmp"));
    EXPECT_TRUE(before == TextsOf(Form(), kAllBoxes));
    EXPECT_EQ(picture, ViewPicture(Control(Image1)));
    EXPECT_TRUE(IsWindowVisible(Form()));

    // With nothing left to remove it still does nothing visible.
    Click(Command4);
    EXPECT_TRUE(IsWindowVisible(Form()));
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM param) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (IsWindowVisible(window) && lstrcmpiW(name, L"tooltips_class32") != 0) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    }
    return TRUE;
}

// This thread's visible top-level windows, tool tips aside.
std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(Form1Test, HandOffsLeaveExactlyOneWindowVisibleAndComeBackUnchanged) {
    // "Choose Custom Logo" and About hide this window for another one; when that
    // closes (or cannot open) this one is back, its fields as the user left them.
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } kHandOffs[] = {
        {"Choose Custom Logo", WM_COMMAND, MAKEWPARAM(Command1, BN_CLICKED),
         reinterpret_cast<LPARAM>(Control(Command1))},
        {"About", WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0},
    };
    for (const auto& handOff : kHandOffs) {
        SCOPED_TRACE(handOff.name);
        SetText(Text2, L"Edited before leaving");
        const auto before = TextsOf(Form(), kAllBoxes);
        HBITMAP picture = ViewPicture(Control(Image1));

        SendMessageW(Form(), handOff.message, handOff.wParam, handOff.lParam);
        PumpPendingMessages();

        const std::vector<HWND> visible = VisibleTopLevelWindows();
        ASSERT_EQ(1u, visible.size());
        if (visible[0] != Form()) {
            EXPECT_FALSE(IsWindowVisible(Form()));
            EXPECT_NE(Form(), GetWindow(visible[0], GW_OWNER)); // not owned by this one
            SendMessageW(visible[0], WM_CLOSE, 0, 0);
            PumpUntil([&] { return IsWindowVisible(Form()) != FALSE; });
        }
        EXPECT_TRUE(IsWindowVisible(Form()));
        EXPECT_TRUE(before == TextsOf(Form(), kAllBoxes));
        EXPECT_EQ(picture, ViewPicture(Control(Image1)));
        EXPECT_EQ(std::vector<HWND>{Form()}, VisibleTopLevelWindows());
    }
}

TEST_F(Form1Test, ExitAndClosingEndTheLoopWithoutAskingOrWriting) {
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
    } kEndings[] = {
        {"Exit", WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0)},
        {"close", WM_CLOSE, 0},
        {"system menu Close", WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const auto& ending : kEndings) {
        SCOPED_TRACE(ending.name);
        MessageBoxAnswerer answerer(kAppTitle);
        SetText(Text1, L"Unsaved edit");
        SendMessageW(Form(), ending.message, ending.wParam, 0);
        MSG quit{};
        EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(0u, quit.wParam);
        EXPECT_TRUE(answerer.Texts().empty());
        EXPECT_FALSE(SystemFileExists("oeminfo.ini"));
        EXPECT_TRUE(platform_.starts.empty());
    }
}

} // namespace
} // namespace qm::test
