#include "wow64_redirection.h"

namespace qm {
namespace {

template <typename Function> Function Lookup(HMODULE module, const char* name) {
    // Through the generic function type, which any function pointer may pass.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

Wow64RedirectionFunctions Kernel32Wow64RedirectionFunctions() {
    static const Wow64RedirectionFunctions functions = [] {
        Wow64RedirectionFunctions found;
        if (const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll")) {
            found.disable =
                Lookup<decltype(found.disable)>(kernel32, "Wow64DisableWow64FsRedirection");
            found.revert =
                Lookup<decltype(found.revert)>(kernel32, "Wow64RevertWow64FsRedirection");
        }
        return found;
    }();
    return functions;
}

Wow64RedirectionOff::Wow64RedirectionOff(const Wow64RedirectionFunctions& functions)
    : functions_(functions) {
    // Without the way back, redirection stays as it is. Outside WOW64 the call
    // fails and changes nothing.
    if (functions_.disable && functions_.revert) {
        switchedOff_ = functions_.disable(&oldValue_) != FALSE;
    }
}

Wow64RedirectionOff::~Wow64RedirectionOff() {
    if (switchedOff_) {
        functions_.revert(oldValue_);
    }
}

} // namespace qm
