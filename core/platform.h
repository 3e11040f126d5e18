#pragma once
// The seam between the branding-file logic and the machine it runs on. The real
// implementation (HostPlatform) calls Win32 on Windows and POSIX on Linux; tests
// derive from it and replace only what they must: starting processes, the Open
// dialog, failing disks.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qm {

// A file opened for writing. Closing happens in Close() or, failing that, in the
// destructor; Close() reports whether everything written reached the disk.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual bool Write(const char* data, std::size_t size) = 0;
    virtual bool Close() = 0;
};

// A file opened for reading. Read() returns the number of bytes read, 0 at the
// end, or -1 on failure.
class ReadableFile {
public:
    virtual ~ReadableFile() = default;
    virtual long Read(char* buffer, std::size_t size) = 0;
};

// While one is held, the calling thread sees the system folder as the system
// itself does. A 32-bit program on 64-bit Windows is otherwise sent to SysWOW64,
// where the 64-bit System Properties never looks.
class SystemFolderAccess {
public:
    virtual ~SystemFolderAccess() = default;
};

// Whether a step on the platform worked; when it did not, the system's code for
// why (0 when it gave none).
struct Outcome {
    bool ok = false;
    unsigned long errorCode = 0;
    explicit operator bool() const { return ok; }
};

// A registry value exactly as the registry holds it: its type (REG_SZ = 1,
// REG_EXPAND_SZ = 2, REG_DWORD = 4, ...) and its bytes.
struct StoredValue {
    std::uint32_t type = 0;
    std::string data;
    bool operator==(const StoredValue& other) const {
        return type == other.type && data == other.data;
    }
};

// A registry key, open for reading and changing values. Each change returns 0 or
// the system's error code.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // A Unicode string value (REG_SZ), created or replaced.
    virtual unsigned long SetText(const std::wstring& name, const std::wstring& text) = 0;
    // A 32-bit number value (REG_DWORD), created or replaced.
    virtual unsigned long SetNumber(const std::wstring& name, std::uint32_t number) = 0;
    virtual unsigned long DeleteValue(const std::wstring& name) = 0;
    // A 32-bit number value; nothing when it is missing or of another type.
    virtual std::optional<std::uint32_t> ReadNumber(const std::wstring& name) = 0;
    // Any value, type and bytes as they are: 0, or the system's code (one that
    // IsNotFound accepts when the value is not there).
    virtual unsigned long ReadStored(const std::wstring& name, StoredValue& value) = 0;
    // Creates or replaces a value with exactly this type and these bytes.
    virtual unsigned long SetStored(const std::wstring& name, const StoredValue& value) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // GetSystemDirectoryA: the platform writes the folder and a NUL into buffer, or
    // leaves it as it was when it fails or the folder does not fit in size bytes.
    virtual void QuerySystemDirectoryA(char* buffer, unsigned size) = 0;

    // The folder that holds the running executable, without a trailing separator.
    virtual std::wstring ExecutableFolder() = 0;

    // Paths are Unicode text with "\" between names; a doubled "\" is accepted.
    // Creates or truncates; nullptr when the file cannot be created.
    virtual std::unique_ptr<WritableFile> CreateForWriting(const std::wstring& path) = 0;
    virtual std::unique_ptr<ReadableFile> OpenForReading(const std::wstring& path) = 0;
    // Moves from over to in one step, replacing an existing to. Fails, changing
    // nothing, when to is read-only or held by another process.
    virtual bool MoveReplacing(const std::wstring& from, const std::wstring& to) = 0;
    virtual bool RemoveFile(const std::wstring& path) = 0;
    // Creates a folder; also succeeds when the folder is already there.
    virtual bool CreateFolder(const std::wstring& path) = 0;

    // The folder that Windows keeps for the data of all users (C:\ProgramData from
    // Vista on, All Users\Application Data before), as the system names it.
    // Nothing, with the system's code in error, when it cannot say.
    virtual std::optional<std::wstring> MachineDataFolder(unsigned long& error) = 0;

    // Held around the steps that create, replace or delete a branding file in the
    // system folder or start a program from there, and nothing else: other files
    // are seen as any program of this build sees them. nullptr where there is
    // nothing to switch.
    [[nodiscard]] virtual std::unique_ptr<SystemFolderAccess> AccessSystemFolder() = 0;

    // Starts application (a full path) with the given command line, its window shown
    // normally with the focus, without waiting; every handle is closed at once.
    virtual bool StartProcess(const std::wstring& application, const std::wstring& commandLine) = 0;

    // Whether Windows is Vista or later (major version 6 or more), whose System
    // Properties and Settings show the branding from the registry and no longer
    // read oeminfo.ini. Asks no registry.
    virtual bool IsVistaOrLater() = 0;

    // HKEY_LOCAL_MACHINE\path in the registry's 64-bit view, the one 64-bit Windows
    // reads, also for this 32-bit program; created when missing if create is set.
    // nullptr, with the system's code in error, when it cannot be opened.
    virtual std::unique_ptr<RegistryKey> OpenMachineKey(const std::wstring& path, bool create,
                                                        unsigned long& error) = 0;

    // The system's code for why the calling thread's last failing call failed
    // (GetLastError, errno); read at once, before the next call replaces it.
    virtual unsigned long LastErrorCode() = 0;
    // The system's own one-line text for an error code; empty when it has none.
    virtual std::wstring ErrorText(unsigned long code) = 0;
    // Whether the code says that the file or registry value was not there.
    virtual bool IsNotFound(unsigned long code) = 0;

    // The standard Open dialog, modal to owner (a window handle or nullptr), given a
    // filter of the form "Description|pattern". Returns whatever file name the
    // dialog reports, an empty one after Cancel.
    virtual std::wstring ShowOpenDialog(const std::wstring& filter, void* owner) = 0;
};

// The real platform of this build; lives for the whole process.
Platform& HostPlatform();

} // namespace qm
