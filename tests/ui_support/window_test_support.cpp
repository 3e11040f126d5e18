#include "window_test_support.h"

#include "message_dispatch.h"

namespace qm::test {

std::string SystemFilePath(const char* name) {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

bool SystemFileExists(const char* name) {
    return GetFileAttributesA(SystemFilePath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PumpPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        PumpPendingMessages();
        Sleep(5);
    }
    return true;
}

void PumpAsTheProgram() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchProgramMessage(msg);
    }
}

bool PumpAsTheProgramUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        PumpAsTheProgram();
        Sleep(5);
    }
    return true;
}

void PostKeyPress(UINT key) {
    HWND focus = GetFocus();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(focus, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(focus, WM_KEYUP, key, 1 | scan | (3u << 30));
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT TwipsRect(int left, int top, int width, int height) {
    const int dpi = ScreenDpi();
    auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    return RECT{px(left), px(top), px(left + width), px(top + height)};
}

std::wstring TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

RECT PlaceOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    HWND parent = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
    if (parent) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

RECT ClientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

MessageBoxAnswerer::MessageBoxAnswerer(std::wstring caption) : caption_(std::move(caption)) {
    InitializeCriticalSection(&lock_);
    thread_ = std::thread([this] { Run(); });
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop_ = true;
    thread_.join();
    DeleteCriticalSection(&lock_);
}

std::vector<std::wstring> MessageBoxAnswerer::Texts() const {
    EnterCriticalSection(&lock_);
    auto copy = texts_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::vector<std::wstring> MessageBoxAnswerer::LastButtons() const {
    EnterCriticalSection(&lock_);
    auto copy = lastButtons_;
    LeaveCriticalSection(&lock_);
    return copy;
}

namespace {

struct BoxSearch {
    const std::wstring* caption;
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t className[32] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) &&
        std::wstring(className) == L"#32770" && TextOf(window) == *search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

} // namespace

void MessageBoxAnswerer::Run() {
    while (!stop_) {
        BoxSearch search{&caption_};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            std::vector<HWND> children;
            EnumChildWindows(search.found, CollectChildren, reinterpret_cast<LPARAM>(&children));
            std::wstring text;
            std::vector<std::wstring> buttons;
            for (HWND child : children) {
                wchar_t className[32] = {};
                GetClassNameW(child, className, static_cast<int>(std::size(className)));
                if (std::wstring(className) == L"Button") {
                    buttons.push_back(TextOf(child));
                } else if (std::wstring(className) == L"Static" && !TextOf(child).empty()) {
                    text = TextOf(child);
                }
            }
            EnterCriticalSection(&lock_);
            texts_.push_back(text);
            lastButtons_ = buttons;
            LeaveCriticalSection(&lock_);
            SendMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // Wait until that box is gone, so it is not counted twice.
            for (int i = 0; i < 200 && IsWindow(search.found) && IsWindowVisible(search.found);
                 ++i) {
                Sleep(10);
            }
        }
        Sleep(20);
    }
}

} // namespace qm::test
