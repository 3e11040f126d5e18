// Hostile text in the real main window: 100,000 characters, characters outside
// the code page, and line breaks, pasted or set, in every value box and in the
// hidden quote. "Apply Changes" still writes twenty lines that Windows' own
// reader sees as the two sections with their keys, and every command returns
// within a bound.

#include "ansi_text.h"
#include "form1_fixture.h"
#include "oem_info_file.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <set>

namespace qm::test {
namespace {

using namespace form1;

constexpr double kCommandBoundSeconds = 2.0;

const int kValueBoxes[] = {Text1, Text2, Text3, Text4, Text5, Text6, Text14, Text15, Text19};

void PutOnClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// The names of a profile list: NUL-separated, ended by two NULs.
std::vector<std::string> Names(const std::vector<char>& buffer, DWORD length) {
    std::vector<std::string> names;
    for (DWORD start = 0; start < length;) {
        const std::string item(&buffer[start]);
        if (item.empty()) {
            break;
        }
        names.push_back(item);
        start += static_cast<DWORD>(item.size()) + 1;
    }
    return names;
}

// The sections of the written file and their keys, read by Windows' own reader.
std::vector<std::pair<std::string, std::set<std::string>>> ProfileLayout() {
    const std::string path = SystemFilePath("oeminfo.ini");
    std::vector<char> buffer(1 << 21);
    const DWORD size = static_cast<DWORD>(buffer.size());
    std::vector<std::pair<std::string, std::set<std::string>>> layout;
    for (const std::string& section :
         Names(buffer, GetPrivateProfileSectionNamesA(buffer.data(), size, path.c_str()))) {
        std::set<std::string> keys;
        const DWORD length =
            GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, path.c_str());
        for (const std::string& entry : Names(buffer, length)) {
            std::string key = entry.substr(0, entry.find('='));
            key.erase(key.find_last_not_of(' ') + 1);
            keys.insert(key);
        }
        layout.emplace_back(section, keys);
    }
    return layout;
}

const std::vector<std::pair<std::string, std::set<std::string>>> kLayout = {
    {"General", {"Manufacturer", "Model"}},
    {"Support Information", {"Line1", "Line2", "Line3", "Line4", "Line5", "Line6", "Line7"}},
};

std::size_t LineCount(const std::string& bytes) {
    std::size_t count = 0;
    for (std::size_t at = 0; (at = bytes.find("\r\n", at)) != std::string::npos; at += 2) {
        ++count;
    }
    return count;
}

class HostileText : public Form1Test {
protected:
    // Clicks a command button and returns the seconds until it returned.
    double TimedClick(int id) {
        const auto start = std::chrono::steady_clock::now();
        Click(id);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    // Applies the boxes' texts and checks the file; returns the box's text.
    std::wstring ApplyAndCheck(int box) {
        const std::wstring text = TextOf(Control(box));
        const double seconds = TimedClick(Command3);
        slowest = std::max(slowest, seconds);
        EXPECT_LT(seconds, kCommandBoundSeconds);
        const std::string bytes = ReadSystemFile("oeminfo.ini");
        EXPECT_EQ(LineCount(bytes), 20u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        EXPECT_EQ(bytes.find_first_of("\r\n"), 9u); // after "[General]"
        EXPECT_TRUE(ProfileLayout() == kLayout);
        ++cases;
        return text;
    }

    int cases = 0;
    double slowest = 0;
};

std::wstring Expected(const std::wstring& text) {
    std::wstring oneLine = text;
    for (wchar_t& c : oneLine) {
        if (c == L'\r' || c == L'\n') {
            c = L' ';
        }
    }
    return oneLine;
}

TEST_F(HostileText, EveryValueBoxAndTheQuoteKeepTheFileInShape) {
    const std::wstring longText(100000, L'x');
    const std::wstring foreign = L"\u65E5\u672C\u8A9E \u03A9 \U0001F642 \u202E\u0416";
    const std::wstring broken = L"first\r\n[Evil]\r\nLine1=evil";
    std::set<std::wstring> afterPaste;
    for (int box : kValueBoxes) {
        SCOPED_TRACE(box);
        Restart();

        SetText(box, longText);
        EXPECT_EQ(ApplyAndCheck(box), longText);
        EXPECT_NE(ReadSystemFile("oeminfo.ini").find(ToAnsi(longText)), std::string::npos);

        SetText(box, foreign);
        ApplyAndCheck(box);
        EXPECT_NE(ReadSystemFile("oeminfo.ini").find(ToAnsi(foreign)), std::string::npos);

        // Pasted: what the box keeps is its own affair; the file stays in shape.
        for (const std::wstring& pasted : {broken, std::wstring(L"a\r[Evil]\rModel=x")}) {
            SetText(box, L"");
            PutOnClipboard(Form(), pasted);
            SendMessageW(Control(box), WM_PASTE, 0, 0);
            const std::wstring kept = ApplyAndCheck(box);
            afterPaste.insert(kept);
            EXPECT_NE(ReadSystemFile("oeminfo.ini").find(ToAnsi(Expected(kept))),
                      std::string::npos);
        }

        // Set directly, as any program may do to another's box.
        SetText(box, broken);
        EXPECT_EQ(ApplyAndCheck(box), broken);
        EXPECT_NE(ReadSystemFile("oeminfo.ini").find("first  [Evil]  Line1=evil"),
                  std::string::npos);
    }
    // The hidden quote, too.
    Restart();
    SetText(Text13, L"\"\r\n[Evil]\r\n");
    ApplyAndCheck(Text13);
    SetText(Text13, longText);
    ApplyAndCheck(Text13);
    // Preview writes the same file from the same boxes.
    SetText(Text13, L"\"");
    SetText(Text1, broken);
    EXPECT_LT(TimedClick(Command2), kCommandBoundSeconds);
    EXPECT_EQ(LineCount(ReadSystemFile("oeminfo.ini")), 20u);
    EXPECT_TRUE(ProfileLayout() == kLayout);
    ++cases;

    // Still answering.
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutW(Form(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result));
    std::string kept;
    for (const std::wstring& text : afterPaste) {
        kept += " [" + ToAnsi(Expected(text)) + "]";
    }
    std::printf("text sweep (main window): %d cases, slowest command %.0f ms; pasted line "
                "breaks left in the boxes:%s\n",
                cases, slowest * 1000, kept.c_str());
}

} // namespace
} // namespace qm::test
