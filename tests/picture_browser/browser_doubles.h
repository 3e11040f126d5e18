#pragma once
// Stand-ins around the picture browser: a main window that records what it is
// asked, the real platform with the Open dialog and process start recorded, and
// a drive check that fails the drives a test names.

#include "frm_main_drives.h"
#include "handles.h"
#include "main_window_access.h"
#include "platform.h"

#include <set>
#include <string>
#include <vector>

namespace qm::test {

class RecordingMainWindow final : public MainWindowAccess {
public:
    void ShowMainWindow() override { calls.push_back("show"); }
    void SetLogoPicture(HBITMAP picture) override {
        calls.push_back("logo");
        logo.Reset(picture);
    }

    std::vector<std::string> calls;
    OwnedBitmap logo;
};

class RecordingPlatform final : public Platform {
public:
    void QuerySystemDirectoryA(char* buffer, unsigned size) override;
    std::wstring ExecutableFolder() override;
    std::unique_ptr<WritableFile> CreateForWriting(const std::wstring& path) override;
    std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path) override;
    bool MoveReplacing(const std::wstring& from, const std::wstring& to) override;
    bool RemoveFile(const std::wstring& path) override;
    bool CreateFolder(const std::wstring& path) override;
    std::optional<std::wstring> MachineDataFolder(unsigned long& error) override;
    std::unique_ptr<SystemFolderAccess> AccessSystemFolder() override;
    bool IsVistaOrLater() override;
    std::unique_ptr<RegistryKey> OpenMachineKey(const std::wstring& path, bool create,
                                                unsigned long& error) override;
    unsigned long LastErrorCode() override;
    std::wstring ErrorText(unsigned long code) override;
    bool IsNotFound(unsigned long code) override;

    bool StartProcess(const std::wstring& application, const std::wstring& commandLine) override;
    std::wstring ShowOpenDialog(const std::wstring& filter, void* owner) override;

    struct Dialog {
        std::wstring filter;
        void* owner;
    };
    std::wstring dialogAnswer;
    std::vector<Dialog> dialogs;
    std::vector<std::wstring> startedApplications;
};

class FailingDrives final : public frmmain::DriveReadiness {
public:
    explicit FailingDrives(std::set<wchar_t> failing) : failing_(std::move(failing)) {}
    bool IsReady(wchar_t letter) override {
        asked.push_back(letter);
        return failing_.count(letter) == 0 && frmmain::HostDriveReadiness().IsReady(letter);
    }
    std::vector<wchar_t> asked;

private:
    std::set<wchar_t> failing_;
};

} // namespace qm::test
