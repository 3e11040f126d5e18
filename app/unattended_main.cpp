#include "unattended_main.h"

#include "command_line.h"
#include "parent_console.h"
#include "platform.h"
#include "unattended_run.h"

#include <windows.h>

#include <new>

namespace qm {

int RunWithoutWindow(const wchar_t* afterProgramName) {
    // No "insert a disk" box for a logo on an empty drive, and no crash box:
    // nobody may be there to answer one.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ParentConsole console;
    try {
        return RunUnattended(SplitArguments(afterProgramName), HostPlatform(), console);
    } catch (const std::bad_alloc&) {
        // The default handler would end in abort(), whose runtime shows a box.
        console.Line(L"error: out of memory; some steps may not have run");
        return kExitChangeFailed;
    } catch (...) {
        console.Line(L"error: an internal fault stopped the run; some steps may not have run");
        return kExitChangeFailed;
    }
}

} // namespace qm
