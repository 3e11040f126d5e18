#include "win32_platform.h"
#include "wow64_redirection.h"

namespace qm {
namespace {

class Wow64SystemFolderAccess : public SystemFolderAccess {
private:
    Wow64RedirectionOff redirectionOff_;
};

} // namespace

std::unique_ptr<SystemFolderAccess> Win32Platform::AccessSystemFolder() {
    return std::make_unique<Wow64SystemFolderAccess>();
}

} // namespace qm
