#include "form1_fixture.h"

#include "picture_view.h"
#include "window_test_support.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace qm::test {

std::string ReadSystemFile(const char* name) {
    std::ifstream in(SystemFilePath(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteSystemFile(const char* name, const std::string& bytes) {
    std::ofstream out(SystemFilePath(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

void RemoveSystemFile(const char* name) {
    DeleteFileA(SystemFilePath(name).c_str());
}

void Form1Test::SetUp() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    ASSERT_TRUE(RegisterPictureView());
    RemoveBrandingFiles();
    BeforeStart();
    Start();
}

void Form1Test::Start() {
    form_ = std::make_unique<Form1>(platform_);
    ASSERT_TRUE(form_->Create());
    form_->Show();
    PumpPendingMessages();
}

void Form1Test::Restart() {
    form_.reset();
    PumpPendingMessages();
    Start();
}

void Form1Test::TearDown() {
    form_.reset();
    PumpPendingMessages();
    RemoveBrandingFiles();
}

void Form1Test::Click(int id) {
    SendMessageW(Control(id), BM_CLICK, 0, 0);
    PumpPendingMessages();
}

void Form1Test::SetText(int id, const std::wstring& text) {
    SetWindowTextW(Control(id), text.c_str());
}

void Form1Test::RemoveBrandingFiles() {
    RemoveSystemFile("oeminfo.ini");
    RemoveSystemFile("oemlogo.bmp");
}

} // namespace qm::test
