#include "posix_platform.h"
#include "unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace qm {
namespace {

class PosixWritableFile : public WritableFile {
public:
    explicit PosixWritableFile(int fd) : fd_(fd) {}

    bool Write(const char* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t written = ::write(fd_.Get(), data, size);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return false;
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

    bool Close() override {
        // fsync is what reports a full disk for data the cache accepted.
        const bool synced = fd_.Valid() && ::fsync(fd_.Get()) == 0;
        const bool closed = fd_.Close();
        return synced && closed;
    }

private:
    UniqueFd fd_;
};

class PosixReadableFile : public ReadableFile {
public:
    explicit PosixReadableFile(int fd) : fd_(fd) {}

    long Read(char* buffer, std::size_t size) override {
        const std::size_t chunk = size > (1u << 30) ? (1u << 30) : size;
        for (;;) {
            const ssize_t count = ::read(fd_.Get(), buffer, chunk);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            return count < 0 ? -1 : static_cast<long>(count);
        }
    }

private:
    UniqueFd fd_;
};

} // namespace

std::unique_ptr<WritableFile> PosixPlatform::CreateForWriting(const std::wstring& path) {
    const int fd =
        ::open(ToPosixPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return nullptr;
    }
    return std::make_unique<PosixWritableFile>(fd);
}

std::unique_ptr<ReadableFile> PosixPlatform::OpenForReading(const std::wstring& path) {
    const int fd = ::open(ToPosixPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    return std::make_unique<PosixReadableFile>(fd);
}

bool PosixPlatform::MoveReplacing(const std::wstring& from, const std::wstring& to) {
    const std::string target = ToPosixPath(to);
    // A target without write bits counts as read-only, as on Windows; root would
    // replace it regardless, so the check is made here.
    struct stat status = {};
    if (::stat(target.c_str(), &status) == 0 &&
        (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return false;
    }
    return ::rename(ToPosixPath(from).c_str(), target.c_str()) == 0;
}

bool PosixPlatform::RemoveFile(const std::wstring& path) {
    return ::unlink(ToPosixPath(path).c_str()) == 0;
}

bool PosixPlatform::CreateFolder(const std::wstring& path) {
    const std::string posixPath = ToPosixPath(path);
    if (::mkdir(posixPath.c_str(), 0755) == 0) {
        return true;
    }
    const int error = errno;
    struct stat status {};
    if (error == EEXIST && ::stat(posixPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return true;
    }
    errno = error;
    return false;
}

} // namespace qm
