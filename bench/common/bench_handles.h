#pragma once
// Owners for the kernel handles the harnesses open.

#include <windows.h>

namespace qm::bench {

template <BOOL(WINAPI* Close)(HANDLE)> class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (Valid()) {
            Close(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

private:
    HANDLE handle_;
};

using KernelHandle = Handle<CloseHandle>;
using FindHandle = Handle<FindClose>;

} // namespace qm::bench
