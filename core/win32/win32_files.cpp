#include "unique_handle.h"
#include "win32_platform.h"

namespace qm {
namespace {

class Win32WritableFile : public WritableFile {
public:
    explicit Win32WritableFile(HANDLE handle) : handle_(handle) {}

    bool Write(const char* data, std::size_t size) override {
        while (size > 0) {
            const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(handle_.Get(), data, chunk, &written, nullptr) || written == 0) {
                return false;
            }
            data += written;
            size -= written;
        }
        return true;
    }

    bool Close() override {
        // The flush is what reports a full disk for data the cache accepted.
        const bool flushed = handle_.Valid() && FlushFileBuffers(handle_.Get()) != FALSE;
        const bool closed = handle_.Close();
        return flushed && closed;
    }

private:
    UniqueHandle handle_;
};

class Win32ReadableFile : public ReadableFile {
public:
    explicit Win32ReadableFile(HANDLE handle) : handle_(handle) {}

    long Read(char* buffer, std::size_t size) override {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD read = 0;
        if (!ReadFile(handle_.Get(), buffer, chunk, &read, nullptr)) {
            return -1;
        }
        return static_cast<long>(read);
    }

private:
    UniqueHandle handle_;
};

} // namespace

std::unique_ptr<WritableFile> Win32Platform::CreateForWriting(const std::wstring& path) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<Win32WritableFile>(handle);
}

std::unique_ptr<ReadableFile> Win32Platform::OpenForReading(const std::wstring& path) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    // A device name such as CON or NUL opens too, and reading CON waits for
    // someone to type: only a file on a disk is read.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        SetLastError(ERROR_INVALID_NAME);
        return nullptr;
    }
    return std::make_unique<Win32ReadableFile>(handle);
}

bool Win32Platform::MoveReplacing(const std::wstring& from, const std::wstring& to) {
    // Windows refuses to replace a read-only file; say so here as well, so the
    // user's protection of the file holds whatever the file system does.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Platform::RemoveFile(const std::wstring& path) {
    return DeleteFileW(path.c_str()) != FALSE;
}

bool Win32Platform::CreateFolder(const std::wstring& path) {
    if (CreateDirectoryW(path.c_str(), nullptr)) {
        return true;
    }
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return true;
    }
    // A file of that name is no folder; the caller reads this code.
    SetLastError(error);
    return false;
}

} // namespace qm
