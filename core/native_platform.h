#pragma once
// The class behind HostPlatform() on this build, for tests that derive from it and
// replace only what they must.

#ifdef _WIN32
#include "win32/win32_platform.h"
namespace qm {
using NativePlatform = Win32Platform;
}
#else
#include "posix/posix_platform.h"
namespace qm {
using NativePlatform = PosixPlatform;
}
#endif
