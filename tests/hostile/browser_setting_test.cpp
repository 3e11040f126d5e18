// The real browser opening over a hostile program.cng: it opens, and Command4 is
// shown exactly when Text1 holds a path.

#include "hostile_browser.h"
#include "hostile_setting_files.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qm::test {
namespace {

using namespace frmmain;

std::wstring SettingPath() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    const std::wstring path = module;
    return path.substr(0, path.rfind(L'\\')) + L"\\program.cng";
}

// Whatever program.cng the test leaves, it is gone afterwards.
class SettingFileRemoved {
public:
    SettingFileRemoved() { Remove(); }
    ~SettingFileRemoved() { Remove(); }
    static void Remove() {
        DeleteFileW(SettingPath().c_str());
        RemoveDirectoryW(SettingPath().c_str());
    }
};

TEST(BrowserSetting, OpensOverEveryHostileSettingFileWithCommand4MatchingText1) {
    SettingFileRemoved removed;
    MessageBoxAnswerer answerer(kAppTitle);
    int cases = 0, withPath = 0;
    for (const HostileSettingFile& setting : HostileSettingFiles()) {
        SCOPED_TRACE(setting.what);
        SettingFileRemoved::Remove();
        if (setting.asFolder) {
            CreateDirectoryW(SettingPath().c_str(), nullptr);
        } else {
            WriteFileBytes(SettingPath(), setting.bytes);
        }
        BrowserSession browser;
        ASSERT_NE(browser.Handle(), nullptr);
        EXPECT_TRUE(IsWindowVisible(browser.Handle()));
        const std::wstring text1 = TextOf(browser.Item(Text1));
        EXPECT_EQ(IsWindowVisible(browser.Item(Command4)) != FALSE, !text1.empty());
        if (setting.expected) {
            EXPECT_TRUE(text1 == *setting.expected);
        }
        withPath += text1.empty() ? 0 : 1;
        ++cases;
    }
    Sleep(100);
    EXPECT_TRUE(answerer.Texts().empty());
    std::printf("setting file sweep (browser): %d openings, %d with a path in Text1\n", cases,
                withPath);
}

} // namespace
} // namespace qm::test
