#pragma once
// The real platform of this build with seams for the tests: a system folder of
// the test's choosing, files that fail on request, and recorded instead of real
// process starts and Open dialogs.

#include "graphics_program.h"
#include "native_platform.h"
#include "temp_folder.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <variant>
#include <vector>

namespace qm::test {

// One file step or process start, and whether a system folder access was held.
struct PlatformStep {
    std::string kind;  // "create", "open", "move", "remove" or "start"
    std::wstring path; // the file (for a move, its new name) or the application
    bool withSystemFolderAccess;
};

// A registry value: a string (REG_SZ), a 32-bit number (REG_DWORD), or any other
// type with its bytes.
using RegistryValue = std::variant<std::wstring, std::uint32_t, StoredValue>;
// Keys by path under HKEY_LOCAL_MACHINE, each with its values by name.
using MemoryRegistry = std::map<std::wstring, std::map<std::wstring, RegistryValue>>;

struct StartedProcess {
    std::wstring application;
    std::wstring commandLine;
    int filesOpenForWriting; // at the moment of the start
};

class TestPlatform : public NativePlatform {
public:
    // The system folder in ANSI bytes, as GetSystemDirectoryA would write it;
    // nullopt makes the query fail. answersByCall overrides it call by call.
    std::optional<std::string> systemFolder;
    std::vector<std::optional<std::string>> answersByCall;
    bool realSystemFolder = false;
    int systemFolderQueries = 0;
    std::string bufferHandedOver; // what the last query received
    unsigned sizeHandedOver = 0;

    std::optional<std::wstring> executableFolder; // nullopt: the real one

    bool failCreate = false;
    std::optional<std::size_t> writeBudget; // bytes that reach files before writes fail
    bool failClose = false;
    bool failMove = false;
    std::optional<std::size_t> readBudget; // bytes delivered before reads fail
    std::set<std::wstring> undeletable;

    std::vector<std::wstring> created;
    std::vector<std::wstring> opened;
    std::vector<std::wstring> removed;
    std::size_t bytesRead = 0;
    int filesOpenForWriting = 0;

    bool realSystemFolderAccess = false; // also switch what the real platform switches
    int systemFolderAccessesHeld = 0;
    std::vector<PlatformStep> steps;

    bool startSucceeds = true;
    bool realStart = false;
    std::function<void()> onStart; // runs as the process would start
    std::vector<StartedProcess> started;

    // nullopt: the real platform's Windows version and registry. Otherwise the
    // answer to IsVistaOrLater, with the in-memory registry below in place of the
    // real one.
    std::optional<bool> vistaOrLater;
    MemoryRegistry registry;
    std::set<std::wstring> failingValues; // changes to these fail as denied
    bool failOpenKey = false;             // opening any key fails as denied
    int registryKeysOpened = 0;           // attempts, real or in memory

    // The folder for all users' data, where the backup goes: a fresh folder of
    // this platform's own unless the test names one, or asks for the real one.
    // nullopt with realMachineDataFolder unset and a name given makes it unknown.
    TempFolder ownDataFolder;
    std::optional<std::wstring> machineDataFolder = ownDataFolder.Path();
    bool realMachineDataFolder = false;
    // The file faults above (failCreate, writeBudget, failClose, failMove,
    // readBudget) hit the branding files only, unless this sends them to the
    // machine data folder as well.
    bool faultsInDataFolder = false;

    std::wstring dialogAnswer;
    int dialogsShown = 0;
    std::wstring dialogFilter;
    void* dialogOwner = nullptr;

    void QuerySystemDirectoryA(char* buffer, unsigned size) override;
    std::wstring ExecutableFolder() override;
    std::unique_ptr<WritableFile> CreateForWriting(const std::wstring& path) override;
    std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path) override;
    bool MoveReplacing(const std::wstring& from, const std::wstring& to) override;
    bool RemoveFile(const std::wstring& path) override;
    std::optional<std::wstring> MachineDataFolder(unsigned long& error) override;
    std::unique_ptr<SystemFolderAccess> AccessSystemFolder() override;
    bool StartProcess(const std::wstring& application, const std::wstring& commandLine) override;
    std::wstring ShowOpenDialog(const std::wstring& filter, void* owner) override;
    bool IsVistaOrLater() override;
    std::unique_ptr<RegistryKey> OpenMachineKey(const std::wstring& path, bool create,
                                                unsigned long& error) override;

    // The system's codes for "access denied" and "not found" on this build.
    static unsigned long DeniedCode();
    static unsigned long NotFoundCode();

    // Whether the file faults apply to path.
    bool Faulty(const std::wstring& path) const;

private:
    void Record(const char* kind, const std::wstring& path);
};

// Fails the way the system does when access is denied: its error code is set.
void FailAsDenied();

// The picture browser's hidden path field.
class FakeCurrentPath : public CurrentProgramPath {
public:
    explicit FakeCurrentPath(std::wstring path = {}) : path_(std::move(path)) {}
    std::wstring Get() const override { return path_; }
    void Set(const std::wstring& path) override {
        path_ = path;
        ++sets;
    }
    void* DialogOwner() const override { return const_cast<FakeCurrentPath*>(this); }
    int sets = 0;

private:
    std::wstring path_;
};

} // namespace qm::test
