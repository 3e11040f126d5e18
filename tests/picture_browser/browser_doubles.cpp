#include "browser_doubles.h"

namespace qm::test {

void RecordingPlatform::QuerySystemDirectoryA(char* buffer, unsigned size) {
    HostPlatform().QuerySystemDirectoryA(buffer, size);
}

std::wstring RecordingPlatform::ExecutableFolder() {
    return HostPlatform().ExecutableFolder();
}

std::unique_ptr<WritableFile> RecordingPlatform::CreateForWriting(const std::wstring& path) {
    return HostPlatform().CreateForWriting(path);
}

std::unique_ptr<ReadableFile> RecordingPlatform::OpenForReading(const std::wstring& path) {
    return HostPlatform().OpenForReading(path);
}

bool RecordingPlatform::MoveReplacing(const std::wstring& from, const std::wstring& to) {
    return HostPlatform().MoveReplacing(from, to);
}

bool RecordingPlatform::RemoveFile(const std::wstring& path) {
    return HostPlatform().RemoveFile(path);
}

bool RecordingPlatform::CreateFolder(const std::wstring& path) {
    return HostPlatform().CreateFolder(path);
}

std::optional<std::wstring> RecordingPlatform::MachineDataFolder(unsigned long& error) {
    return HostPlatform().MachineDataFolder(error);
}

std::unique_ptr<SystemFolderAccess> RecordingPlatform::AccessSystemFolder() {
    return HostPlatform().AccessSystemFolder();
}

bool RecordingPlatform::IsVistaOrLater() {
    return HostPlatform().IsVistaOrLater();
}

std::unique_ptr<RegistryKey> RecordingPlatform::OpenMachineKey(const std::wstring& path,
                                                               bool create, unsigned long& error) {
    return HostPlatform().OpenMachineKey(path, create, error);
}

unsigned long RecordingPlatform::LastErrorCode() {
    return HostPlatform().LastErrorCode();
}

std::wstring RecordingPlatform::ErrorText(unsigned long code) {
    return HostPlatform().ErrorText(code);
}

bool RecordingPlatform::IsNotFound(unsigned long code) {
    return HostPlatform().IsNotFound(code);
}

bool RecordingPlatform::StartProcess(const std::wstring& application, const std::wstring&) {
    startedApplications.push_back(application);
    return true;
}

std::wstring RecordingPlatform::ShowOpenDialog(const std::wstring& filter, void* owner) {
    dialogs.push_back({filter, owner});
    return dialogAnswer;
}

} // namespace qm::test
