#include "posix_platform.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace qm {

PosixPlatform::PosixPlatform(std::string systemFolder) : systemFolder_(std::move(systemFolder)) {}

void PosixPlatform::QuerySystemDirectoryA(char* buffer, unsigned size) {
    // As GetSystemDirectoryA: the folder and a NUL when both fit, else nothing.
    if (systemFolder_.empty() || systemFolder_.size() + 1 > size) {
        return;
    }
    std::memcpy(buffer, systemFolder_.data(), systemFolder_.size());
    buffer[systemFolder_.size()] = '\0';
}

std::wstring PosixPlatform::ExecutableFolder() {
    std::string path(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) {
        return {};
    }
    path.resize(static_cast<std::size_t>(length));
    return FromPosixPath(path.substr(0, path.find_last_of('/')));
}

std::unique_ptr<SystemFolderAccess> PosixPlatform::AccessSystemFolder() {
    return nullptr;
}

std::optional<std::wstring> PosixPlatform::MachineDataFolder(unsigned long& error) {
    error = ENOSYS;
    return std::nullopt;
}

bool PosixPlatform::IsVistaOrLater() {
    return false;
}

std::unique_ptr<RegistryKey> PosixPlatform::OpenMachineKey(const std::wstring&, bool,
                                                           unsigned long& error) {
    error = ENOSYS;
    return nullptr;
}

bool PosixPlatform::StartProcess(const std::wstring&, const std::wstring&) {
    errno = ENOSYS;
    return false;
}

std::wstring PosixPlatform::ShowOpenDialog(const std::wstring&, void*) {
    return {};
}

Platform& HostPlatform() {
    static PosixPlatform platform;
    return platform;
}

} // namespace qm
