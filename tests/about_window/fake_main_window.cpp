#include "fake_main_window.h"

namespace qm::test {

FakeMainWindow::FakeMainWindow()
    : window_(CreateWindowExW(0, L"Static", L"Main", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 40,
                              40, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {
    ShowWindow(window_, SW_SHOW);
}

FakeMainWindow::~FakeMainWindow() {
    DestroyWindow(window_);
}

void FakeMainWindow::ShowMainWindow() {
    ++showCalls_;
    ShowWindow(window_, SW_SHOW);
}

void FakeMainWindow::SetLogoPicture(HBITMAP picture) {
    DeleteObject(picture);
}

} // namespace qm::test
