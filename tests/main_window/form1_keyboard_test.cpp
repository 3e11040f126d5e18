// Focus, the Tab order and what the keyboard and the clipboard can do to the boxes.

#include "form1_fixture.h"
#include "window_test_support.h"

#include <string>
#include <vector>

namespace qm::test {
namespace {

using namespace form1;

// A key press as the message loop hands it over: to the dialog manager of the window.
void PressKey(HWND form, WPARAM key) {
    MSG down{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    if (!IsDialogMessageW(form, &down)) {
        TranslateMessage(&down);
        DispatchMessageW(&down);
    }
    MSG up{GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001), 0, {}};
    if (!IsDialogMessageW(form, &up)) {
        DispatchMessageW(&up);
    }
    PumpPendingMessages();
}

void SetShiftDown(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

struct Named {
    const char* name;
    int id;
};

constexpr Named kTabOrder[] = {
    {"Command1", Command1}, {"Command2", Command2}, {"Command3", Command3}, {"Text1", Text1},
    {"Text2", Text2},       {"Text3", Text3},       {"Text4", Text4},       {"Text5", Text5},
    {"Text6", Text6},       {"Text7", Text7},       {"Text8", Text8},       {"Text9", Text9},
    {"Text10", Text10},     {"Text11", Text11},     {"Text12", Text12},     {"Command4", Command4},
    {"Text14", Text14},     {"Text15", Text15},     {"Text16", Text16},     {"Text17", Text17},
    {"Text19", Text19},     {"Text20", Text20},
};

std::string NameOfFocus(HWND form) {
    const int id = GetDlgCtrlID(GetFocus());
    for (const Named& n : kTabOrder) {
        if (n.id == id && GetParent(GetFocus()) == form) {
            return n.name;
        }
    }
    return "(id " + std::to_string(id) + ")";
}

TEST_F(Form1Test, FocusStartsOnChooseCustomLogo) {
    EXPECT_EQ(Control(Command1), GetFocus());
}

TEST_F(Form1Test, TabVisitsTheControlsInOrderAndWrapsAround) {
    std::vector<std::string> expected;
    std::vector<std::string> visited;
    for (const Named& n : kTabOrder) {
        expected.push_back(n.name);
        visited.push_back(NameOfFocus(Form()));
        PressKey(Form(), VK_TAB);
    }
    EXPECT_EQ(expected, visited);
    EXPECT_EQ("Command1", NameOfFocus(Form())); // from the last back to the first
}

TEST_F(Form1Test, ShiftTabGoesBackFromTheFirstToTheLast) {
    SetShiftDown(true);
    PressKey(Form(), VK_TAB);
    const std::string first = NameOfFocus(Form());
    PressKey(Form(), VK_TAB);
    const std::string second = NameOfFocus(Form());
    SetShiftDown(false);
    EXPECT_EQ("Text20", first);
    EXPECT_EQ("Text19", second);
}

TEST_F(Form1Test, FocusComesBackToItsControlAfterTheWindowWasHidden) {
    SetFocus(Control(Text3));
    ShowWindow(Form(), SW_HIDE);
    PumpPendingMessages();
    form_->ShowMainWindow();
    PumpPendingMessages();
    EXPECT_EQ(Control(Text3), GetFocus());
}

void SetClipboardText(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (OpenClipboard(owner)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

void SelectAll(HWND box) {
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
}

// Types, pastes and cuts in a box the way a user does; returns its text afterwards.
std::wstring TextAfterEditing(HWND form, HWND box) {
    SelectAll(box);
    SendMessageW(box, WM_CHAR, L'x', 1);
    SendMessageW(box, WM_CHAR, VK_BACK, 1);
    SendMessageW(box, WM_KEYDOWN, VK_DELETE, 1);
    SetClipboardText(form, L"pasted");
    SendMessageW(box, EM_SETSEL, 0, 0);
    SendMessageW(box, WM_PASTE, 0, 0);
    SelectAll(box);
    SendMessageW(box, WM_CUT, 0, 0);
    PumpPendingMessages();
    return TextOf(box);
}

TEST_F(Form1Test, LabelBoxesRefuseTypingPastingAndCuttingButCopy) {
    const Named kLabels[] = {{"Text7", Text7},   {"Text8", Text8},   {"Text9", Text9},
                             {"Text10", Text10}, {"Text11", Text11}, {"Text12", Text12},
                             {"Text16", Text16}, {"Text17", Text17}, {"Text20", Text20}};
    for (const Named& label : kLabels) {
        SCOPED_TRACE(label.name);
        HWND box = Control(label.id);
        const std::wstring before = TextOf(box);
        EXPECT_EQ(before, TextAfterEditing(Form(), box));

        SetClipboardText(Form(), L"");
        SelectAll(box);
        SendMessageW(box, WM_COPY, 0, 0);
        EXPECT_EQ(before, ClipboardText(Form()));
    }
}

TEST_F(Form1Test, ValueBoxesTakeTypingPastingAndCutting) {
    // The same edits change a value box, so the locked boxes above were really tried.
    HWND box = Control(Text1);
    EXPECT_EQ(L"", TextAfterEditing(Form(), box));
    SetClipboardText(Form(), L"Pasted Maker");
    SendMessageW(box, WM_PASTE, 0, 0);
    EXPECT_EQ(L"Pasted Maker", TextOf(box));
}

TEST_F(Form1Test, ValueBoxesHaveNoLengthLimit) {
    HWND box = Control(Text3);
    const std::wstring longText(40000, L'a');
    SetText(Text3, longText);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 40000, 40000);
    SendMessageW(box, WM_CHAR, L'b', 1);
    EXPECT_EQ(longText + L"b", TextOf(box));
}

TEST_F(Form1Test, EnterAndEscapeDoNothing) {
    // No button is the default or the cancel button.
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        for (int id : {Text1, Text7, Text19}) {
            SetFocus(Control(id));
            PressKey(Form(), key);
        }
        MSG quit;
        EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
    EXPECT_FALSE(SystemFileExists("oeminfo.ini"));
    EXPECT_TRUE(platform_.starts.empty());
    EXPECT_TRUE(IsWindowVisible(Form()));
    EXPECT_EQ(L"Quorvane", TextOf(Control(Text1)));
}

} // namespace
} // namespace qm::test
