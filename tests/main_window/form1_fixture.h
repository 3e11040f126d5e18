#pragma once
// A real Form1 on the virtual display, acting on the Wine prefix's system folder
// through a platform that records the processes it would start.

#include "form1.h"
#include "native_platform.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qm::test {

// The real platform, except that processes are recorded instead of started (the
// prefix has no System Properties applet to open).
class RecordingPlatform : public NativePlatform {
public:
    struct Start {
        std::wstring application;
        std::wstring commandLine;
    };
    bool StartProcess(const std::wstring& application, const std::wstring& commandLine) override {
        starts.push_back({application, commandLine});
        return true;
    }
    std::vector<Start> starts;

    // The folder for all users' data, where the backup goes; the system's own
    // unless a test names another.
    std::optional<std::wstring> machineDataFolder;
    std::optional<std::wstring> MachineDataFolder(unsigned long& error) override {
        if (machineDataFolder) {
            error = 0;
            return machineDataFolder;
        }
        return NativePlatform::MachineDataFolder(error);
    }
};

// The system folder's file of that name: read, written, removed.
std::string ReadSystemFile(const char* name);
void WriteSystemFile(const char* name, const std::string& bytes);
void RemoveSystemFile(const char* name);

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs after the system folder is cleared and before the window is made.
    virtual void BeforeStart() {}

    // A new window, as at a new start of the program.
    void Restart();

    HWND Form() const { return form_->Handle(); }
    HWND Control(int id) const { return GetDlgItem(Form(), id); }
    void Click(int id);
    void SetText(int id, const std::wstring& text);
    // The files a test leaves in the system folder are gone before the next one.
    void RemoveBrandingFiles();

    RecordingPlatform platform_;
    std::unique_ptr<Form1> form_;

private:
    void Start();
};

} // namespace qm::test
