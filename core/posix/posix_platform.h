#pragma once
// The POSIX side of the platform seam, for the native build. Paths keep the
// program's "\" separators until they reach the file system, which sees "/".

#include "platform.h"

namespace qm {

class PosixPlatform : public Platform {
public:
    // There is no Windows system folder here: it is whatever the owner names
    // (8-bit text as GetSystemDirectoryA would give it), and none by default.
    explicit PosixPlatform(std::string systemFolder = {});

    void QuerySystemDirectoryA(char* buffer, unsigned size) override;
    std::wstring ExecutableFolder() override;
    std::unique_ptr<WritableFile> CreateForWriting(const std::wstring& path) override;
    std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path) override;
    bool MoveReplacing(const std::wstring& from, const std::wstring& to) override;
    bool RemoveFile(const std::wstring& path) override;
    bool CreateFolder(const std::wstring& path) override;
    // No Windows here, so no folder of its own for all users' data.
    std::optional<std::wstring> MachineDataFolder(unsigned long& error) override;
    // No redirection exists here: nothing to switch.
    std::unique_ptr<SystemFolderAccess> AccessSystemFolder() override;
    // No process start and no dialog exist here; both report that honestly.
    bool StartProcess(const std::wstring& application, const std::wstring& commandLine) override;
    std::wstring ShowOpenDialog(const std::wstring& filter, void* owner) override;
    // No Windows and no registry here: the files are all there is.
    bool IsVistaOrLater() override;
    std::unique_ptr<RegistryKey> OpenMachineKey(const std::wstring& path, bool create,
                                                unsigned long& error) override;
    unsigned long LastErrorCode() override;
    std::wstring ErrorText(unsigned long code) override;
    bool IsNotFound(unsigned long code) override;

private:
    std::string systemFolder_;
};

// "\" becomes "/", and the text UTF-8.
std::string ToPosixPath(const std::wstring& path);
std::wstring FromPosixPath(const std::string& path);

} // namespace qm
