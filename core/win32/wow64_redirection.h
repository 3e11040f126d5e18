#pragma once
// Switches the file-system redirection of a 32-bit process on 64-bit Windows off
// for the calling thread, and back on when it goes. Both functions are looked up
// at run time: 32-bit Windows XP lacks them, and there nothing changes.

#include <windows.h>

namespace qm {

struct Wow64RedirectionFunctions {
    BOOL(WINAPI* disable)(PVOID* oldValue) = nullptr;
    BOOL(WINAPI* revert)(PVOID oldValue) = nullptr;
};

// Wow64DisableWow64FsRedirection and Wow64RevertWow64FsRedirection of kernel32,
// or null where kernel32 has none.
Wow64RedirectionFunctions Kernel32Wow64RedirectionFunctions();

class Wow64RedirectionOff {
public:
    explicit Wow64RedirectionOff(
        const Wow64RedirectionFunctions& functions = Kernel32Wow64RedirectionFunctions());
    ~Wow64RedirectionOff();
    Wow64RedirectionOff(const Wow64RedirectionOff&) = delete;
    Wow64RedirectionOff& operator=(const Wow64RedirectionOff&) = delete;

    // Whether redirection was switched off, so that the destructor restores it:
    // never outside a 64-bit system's 32-bit process.
    bool SwitchedOff() const { return switchedOff_; }

private:
    Wow64RedirectionFunctions functions_;
    PVOID oldValue_ = nullptr;
    bool switchedOff_ = false;
};

} // namespace qm
