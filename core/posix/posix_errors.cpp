#include "posix_platform.h"

#include <cerrno>
#include <cstring>

namespace qm {

unsigned long PosixPlatform::LastErrorCode() {
    return static_cast<unsigned long>(errno);
}

std::wstring PosixPlatform::ErrorText(unsigned long code) {
    return FromPosixPath(std::strerror(static_cast<int>(code)));
}

bool PosixPlatform::IsNotFound(unsigned long code) {
    return code == ENOENT;
}

} // namespace qm
