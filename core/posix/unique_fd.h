#pragma once
// Owns a file descriptor and closes it once.

#include <unistd.h>

namespace qm {

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() { Close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }

    // Reports whether the descriptor was open and closed cleanly.
    bool Close() {
        if (!Valid()) {
            return false;
        }
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

private:
    int fd_;
};

} // namespace qm
