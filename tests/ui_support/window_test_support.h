#pragma once
// Helpers for tests that drive the program's real windows under Wine.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

// Rectangles compared and printed in test assertions; found by argument-dependent
// lookup, so they live where RECT does.
inline bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace qm::test {

// A file's path in the system folder, and whether it is there.
std::string SystemFilePath(const char* name);
bool SystemFileExists(const char* name);

// Handles every message waiting for this thread, then returns.
void PumpPendingMessages();

// Pumps messages until done() holds or the time runs out; returns done().
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// The same, handing each message on as the program's own loop does.
void PumpAsTheProgram();
bool PumpAsTheProgramUntil(const std::function<bool()>& done,
                           std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

// Posts a key press to the control with the focus, as the keyboard would send it.
void PostKeyPress(UINT key);

// Twips to pixels at the screen's DPI, edges converted as the layouts do; worked
// out here on its own, so the tests do not trust the code they check.
int ScreenDpi();
RECT TwipsRect(int left, int top, int width, int height);

std::wstring TextOf(HWND window);

// The window's rectangle relative to its parent's client area (or the screen for a
// top-level window).
RECT PlaceOf(HWND window);
// The client area's rectangle in screen coordinates.
RECT ClientOnScreen(HWND window);

// Answers the program's message boxes from a second thread: records each one's
// text and presses its OK button. Create it before the action that shows them.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(std::wstring caption);
    ~MessageBoxAnswerer();
    std::vector<std::wstring> Texts() const;
    // The buttons of the last box answered, by their texts.
    std::vector<std::wstring> LastButtons() const;

private:
    void Run();
    std::wstring caption_;
    std::atomic<bool> stop_{false};
    mutable CRITICAL_SECTION lock_;
    std::vector<std::wstring> texts_;
    std::vector<std::wstring> lastButtons_;
    std::thread thread_;
};

} // namespace qm::test
