#pragma once
// The picture browser's test fixture: the folders the tests walk (made once per
// run under C:\, the process's current folder set into them), a fresh opening per
// test, and scoped changes to the machine that are undone afterwards.

#include "browser_doubles.h"
#include "browser_test_support.h"
#include "frm_main_drives.h"
#include "frm_main_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qm::test {

inline const std::wstring kAppTitle = L"Quorvane Marquelle XP";

// The folders and files the tests walk through.
struct TestTree {
    std::wstring top;     // C:\qm-frmmain-<process id>
    std::wstring start;   // the process's current folder when a browser opens
    std::wstring bitmaps; // bitmaps of every kind, for the preview
    std::wstring subA;    // "sub a": one bitmap
    std::wstring subB;    // "Sub b": empty
};
const TestTree& Tree();

// The bitmaps in the preview folder, by name.
struct PreviewCase {
    const wchar_t* name;
    TwoColourBitmap bitmap;
};
extern const PreviewCase kPreviewCases[];
extern const std::size_t kPreviewCaseCount;
inline const wchar_t kGradientName[] = L"gradient 172x100.bmp";
inline const wchar_t kNoBitmapName[] = L"no bitmap.bmp";
inline const char kNoBitmapBytes[] = "This file only carries a bitmap's name.\r\n";

class BrowserTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Opens the browser as the main window does, and handles what it posts.
    HWND Open(frmmain::DriveReadiness& drives = frmmain::HostDriveReadiness());
    HWND Item(int id) const { return GetDlgItem(browser_, id); }
    // Selects File1's item of that name with the mouse; false when it is not listed.
    bool ClickFile(const std::wstring& name);
    // Opens Dir1's item of that text with a double-click; false when it is not listed.
    bool OpenFolder(const std::wstring& text);
    void Click(int buttonId);

    RecordingMainWindow main_;
    RecordingPlatform platform_;
    HWND browser_ = nullptr;
};

// A drive letter mapped to a folder for as long as it lives (DefineDosDevice).
class ScopedDrive {
public:
    explicit ScopedDrive(const std::wstring& target);
    ~ScopedDrive();
    ScopedDrive(const ScopedDrive&) = delete;
    ScopedDrive& operator=(const ScopedDrive&) = delete;
    wchar_t Letter() const { return letter_; } // 0 when no letter was free
    std::wstring Text() const;                 // "x:"

private:
    wchar_t letter_ = 0;
    std::wstring device_;
};

// A file set to the given bytes (or removed, for nullopt) for as long as it
// lives; the former content comes back afterwards.
class ScopedFile {
public:
    ScopedFile(std::wstring path, const std::optional<std::string>& bytes);
    ~ScopedFile();
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    std::optional<std::string> former_;
};

std::wstring ProgramSettingPath(); // program.cng beside this test program
std::wstring InstalledLogoPath();  // the system folder's oemlogo.bmp
int IndexOfDrive(HWND combo, wchar_t letter);

} // namespace qm::test
