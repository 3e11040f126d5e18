#pragma once
// The Win32 side of the platform seam.

#include "platform.h"

namespace qm {

class Win32Platform : public Platform {
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
    bool StartProcess(const std::wstring& application, const std::wstring& commandLine) override;
    std::wstring ShowOpenDialog(const std::wstring& filter, void* owner) override;
    bool IsVistaOrLater() override;
    std::unique_ptr<RegistryKey> OpenMachineKey(const std::wstring& path, bool create,
                                                unsigned long& error) override;
    unsigned long LastErrorCode() override;
    std::wstring ErrorText(unsigned long code) override;
    bool IsNotFound(unsigned long code) override;
};

} // namespace qm
