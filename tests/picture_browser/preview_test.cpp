// The preview: every kind of Windows bitmap loaded and stretched to the view,
// selected by mouse or keyboard; a file that is no bitmap changes nothing.

#include "browser_fixture.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

namespace qm::test {
namespace {

using namespace frmmain;

class PreviewTest : public BrowserTest {
protected:
    void SetUp() override {
        ASSERT_NE(Open(), nullptr);
        ASSERT_TRUE(OpenFolder(L"bitmaps"));
    }
    Pixels Preview() const { return RenderView(Item(imgBrowser)); }
};

// Where each half of a two-colour picture shows once stretched to the view:
// its centre and its outer corner, away from the seam that the scaling blends.
void ExpectHalves(const Pixels& preview, const TwoColourBitmap& bitmap) {
    const int w = preview.Width(), h = preview.Height();
    const bool topBottom = bitmap.split == Split::TopBottom;
    const POINT first = topBottom ? POINT{w / 2, h / 4} : POINT{w / 4, h / 2};
    const POINT second = topBottom ? POINT{w / 2, h * 3 / 4} : POINT{w * 3 / 4, h / 2};
    EXPECT_TRUE(Near(preview.At(2, 2), bitmap.first)) << "first half, corner";
    EXPECT_TRUE(Near(preview.At(first.x, first.y), bitmap.first)) << "first half, centre";
    EXPECT_TRUE(Near(preview.At(second.x, second.y), bitmap.second)) << "second half, centre";
    EXPECT_TRUE(Near(preview.At(w - 3, h - 3), bitmap.second)) << "second half, corner";
}

const TwoColourBitmap* PreviewCaseNamed(const std::wstring& name) {
    for (std::size_t i = 0; i < kPreviewCaseCount; ++i) {
        if (name == kPreviewCases[i].name) {
            return &kPreviewCases[i].bitmap;
        }
    }
    return nullptr;
}

TEST_F(PreviewTest, EveryKindOfBitmapIsShownStretchedToThePreview) {
    ASSERT_EQ(Preview().Width(), TwipsRect(0, 0, 2580, 1500).right);
    for (std::size_t i = 0; i < kPreviewCaseCount; ++i) {
        const PreviewCase& test = kPreviewCases[i];
        SCOPED_TRACE(std::string(test.name, test.name + wcslen(test.name)));
        ASSERT_TRUE(ClickFile(test.name));
        EXPECT_EQ(SelectedListItem(Item(File1)), test.name);
        ExpectHalves(Preview(), test.bitmap);
    }
}

TEST_F(PreviewTest, ABitmapOfThePreviewsSizeShowsUnscaled) {
    const Pixels before = Preview();
    if (before.Width() != 172 || before.Height() != 100) {
        GTEST_SKIP() << "the screen is not at 96 dots per inch";
    }
    ASSERT_TRUE(ClickFile(kGradientName));
    const Pixels preview = Preview();
    int wrong = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 172; ++x) {
            wrong += preview.At(x, y) == GradientAt(x, y) ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(PreviewTest, AFileThatIsNoBitmapLeavesThePreviewWithoutAMessage) {
    MessageBoxAnswerer answerer(kAppTitle);
    ASSERT_TRUE(ClickFile(L"24-bit.bmp"));
    const Pixels before = Preview();
    ASSERT_TRUE(ClickFile(kNoBitmapName));
    EXPECT_EQ(SelectedListItem(Item(File1)), kNoBitmapName);
    EXPECT_TRUE(Preview() == before);
    Sleep(200);
    EXPECT_TRUE(answerer.Texts().empty());
}

// Following the keyboard, a new preview is drawn as the selection changes, not
// at some later paint: it is on screen before any message is handled.
TEST_F(PreviewTest, ANewPreviewIsOnScreenAtOnce) {
    const PreviewCase& first = kPreviewCases[0];
    const PreviewCase& second = kPreviewCases[1];
    ASSERT_FALSE(Near(first.bitmap.first, second.bitmap.first) &&
                 Near(first.bitmap.second, second.bitmap.second));
    ASSERT_TRUE(ClickFile(first.name));
    PumpPendingMessages();
    ExpectHalves(ScreenView(Item(imgBrowser)), first.bitmap);

    HWND file1 = Item(File1);
    const LRESULT index = SendMessageW(file1, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(second.name));
    ASSERT_GE(index, 0);
    SendMessageW(file1, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(browser_, WM_COMMAND, MAKEWPARAM(File1, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(file1));
    ExpectHalves(ScreenView(Item(imgBrowser)), second.bitmap);
}

TEST_F(PreviewTest, KeyboardSelectionLoadsThePreviewToo) {
    HWND file1 = Item(File1);
    SetFocus(file1);
    for (int step = 0; step < 2; ++step) {
        PressKey(VK_DOWN);
        const std::wstring selected = SelectedListItem(file1);
        SCOPED_TRACE(std::string(selected.begin(), selected.end()));
        const TwoColourBitmap* bitmap = PreviewCaseNamed(selected);
        ASSERT_NE(bitmap, nullptr);
        ExpectHalves(Preview(), *bitmap);
    }
}

} // namespace
} // namespace qm::test
