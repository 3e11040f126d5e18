#include "browser_fixture.h"

#include "frm_main_open.h"

#include <cwctype>
#include <iterator>

namespace qm::test {
namespace {

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0},
    kCyan{0, 255, 255}, kMagenta{255, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

void MakeFile(const std::wstring& folder, const std::wstring& name, const std::string& bytes,
              DWORD attributes = 0) {
    const std::wstring path = folder + L"\\" + name;
    WriteFileBytes(path, bytes);
    if (attributes) {
        SetFileAttributesW(path.c_str(), attributes);
    }
}

std::string SmallBitmap(Rgb first, Rgb second) {
    return TwoColourBitmapFile({8, 8, 24, false, false, Split::TopBottom, first, second});
}

class TreeEnvironment final : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
    TestTree tree;

private:
    std::wstring formerFolder_;
};

TreeEnvironment* environment = nullptr;

// What an earlier run that crashed left behind in the prefix's drive C.
void RemoveLeftovers() {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(L"C:\\qm-frmmain-*", &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring path = std::wstring(L"C:\\") + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(path);
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

void TreeEnvironment::SetUp() {
    RemoveLeftovers();
    tree.top = L"C:\\qm-frmmain-" + std::to_wstring(GetCurrentProcessId());
    tree.start = tree.top + L"\\start";
    tree.bitmaps = tree.start + L"\\bitmaps";
    tree.subA = tree.start + L"\\sub a";
    tree.subB = tree.start + L"\\Sub b";
    for (const std::wstring& folder : {tree.top, tree.start, tree.bitmaps, tree.subA, tree.subB,
                                       tree.start + L"\\folder.bmp", tree.start + L"\\secret"}) {
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    SetFileAttributesW((tree.start + L"\\secret").c_str(), FILE_ATTRIBUTE_HIDDEN);

    MakeFile(tree.start, L"b.bmp", SmallBitmap(kRed, kGreen));
    MakeFile(tree.start, L"A.BMP", SmallBitmap(kBlue, kYellow));
    MakeFile(tree.start, L"c.bmp", SmallBitmap(kCyan, kMagenta));
    MakeFile(tree.start, L"hidden.bmp", SmallBitmap(kWhite, kBlack), FILE_ATTRIBUTE_HIDDEN);
    MakeFile(tree.start, L"system.bmp", SmallBitmap(kWhite, kBlack), FILE_ATTRIBUTE_SYSTEM);
    MakeFile(tree.start, L"notes.txt", "not listed");
    MakeFile(tree.start, L"picture.bmpx", SmallBitmap(kWhite, kBlack));
    MakeFile(tree.subA, L"inner.bmp", SmallBitmap(kYellow, kBlue));

    for (std::size_t i = 0; i < kPreviewCaseCount; ++i) {
        MakeFile(tree.bitmaps, kPreviewCases[i].name, TwoColourBitmapFile(kPreviewCases[i].bitmap));
    }
    MakeFile(tree.bitmaps, kGradientName, GradientBitmapFile(172, 100));
    MakeFile(tree.bitmaps, kNoBitmapName, kNoBitmapBytes);

    wchar_t former[MAX_PATH] = {};
    GetCurrentDirectoryW(static_cast<DWORD>(std::size(former)), former);
    formerFolder_ = former;
    SetCurrentDirectoryW(tree.start.c_str());
}

void TreeEnvironment::TearDown() {
    SetCurrentDirectoryW(formerFolder_.c_str());
    RemoveTree(tree.top);
}

[[maybe_unused]] const bool registered = [] {
    environment = new TreeEnvironment;
    ::testing::AddGlobalTestEnvironment(environment);
    return true;
}();

} // namespace

const PreviewCase kPreviewCases[] = {
    {L"1-bit.bmp", {172, 100, 1, false, false, Split::TopBottom, kRed, kBlue}},
    {L"4-bit.bmp", {172, 100, 4, false, false, Split::TopBottom, kGreen, kMagenta}},
    {L"8-bit.bmp", {172, 100, 8, false, false, Split::TopBottom, kYellow, kBlue}},
    {L"8-bit rle.bmp", {172, 100, 8, false, true, Split::TopBottom, kCyan, kRed}},
    {L"16-bit.bmp", {172, 100, 16, false, false, Split::TopBottom, kBlue, kYellow}},
    {L"24-bit.bmp", {172, 100, 24, false, false, Split::TopBottom, kMagenta, kGreen}},
    {L"32-bit.bmp", {172, 100, 32, false, false, Split::TopBottom, kWhite, kRed}},
    {L"top-down.bmp", {172, 100, 24, true, false, Split::TopBottom, kRed, kCyan}},
    {L"wide 300x100.bmp", {300, 100, 24, false, false, Split::LeftRight, kGreen, kBlue}},
    {L"small 40x20.bmp", {40, 20, 24, false, false, Split::LeftRight, kYellow, kMagenta}},
};
const std::size_t kPreviewCaseCount = std::size(kPreviewCases);

const TestTree& Tree() {
    return environment->tree;
}

void BrowserTest::TearDown() {
    if (IsWindow(browser_)) {
        DestroyWindow(browser_);
    }
    PumpAsTheProgram();
}

HWND BrowserTest::Open(frmmain::DriveReadiness& drives) {
    browser_ = OpenPictureBrowser(platform_, main_, drives);
    PumpAsTheProgram();
    return browser_;
}

bool BrowserTest::ClickFile(const std::wstring& name) {
    HWND list = Item(frmmain::File1);
    const LRESULT index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name.c_str()));
    if (index < 0) {
        return false;
    }
    ClickListItem(list, static_cast<int>(index));
    return true;
}

bool BrowserTest::OpenFolder(const std::wstring& text) {
    return DoubleClickListItemNamed(Item(frmmain::Dir1), text);
}

void BrowserTest::Click(int buttonId) {
    SendMessageW(Item(buttonId), BM_CLICK, 0, 0);
    PumpAsTheProgram();
}

ScopedDrive::ScopedDrive(const std::wstring& target) {
    letter_ = UnusedDriveLetter();
    if (!letter_) {
        return;
    }
    device_ = std::wstring{letter_, L':'};
    if (!DefineDosDeviceW(0, device_.c_str(), target.c_str())) {
        letter_ = 0;
    }
}

ScopedDrive::~ScopedDrive() {
    if (letter_) {
        DefineDosDeviceW(DDD_REMOVE_DEFINITION, device_.c_str(), nullptr);
    }
}

std::wstring ScopedDrive::Text() const {
    return std::wstring{static_cast<wchar_t>(std::towlower(letter_)), L':'};
}

ScopedFile::ScopedFile(std::wstring path, const std::optional<std::string>& bytes)
    : path_(std::move(path)) {
    if (FileExists(path_)) {
        former_ = ReadFileBytes(path_);
    }
    if (bytes) {
        WriteFileBytes(path_, *bytes);
    } else {
        DeleteFileW(path_.c_str());
    }
}

ScopedFile::~ScopedFile() {
    if (former_) {
        WriteFileBytes(path_, *former_);
    } else {
        DeleteFileW(path_.c_str());
    }
}

std::wstring ProgramSettingPath() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, static_cast<DWORD>(std::size(module)));
    std::wstring path = module;
    return path.substr(0, path.rfind(L'\\')) + L"\\program.cng";
}

std::wstring InstalledLogoPath() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, static_cast<DWORD>(std::size(folder)));
    return std::wstring(folder) + L"\\oemlogo.bmp";
}

int IndexOfDrive(HWND combo, wchar_t letter) {
    const std::vector<std::wstring> items = ComboItems(combo);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].empty() && std::towupper(items[i][0]) == letter) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace qm::test
