#include "test_platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qm::test {

unsigned long TestPlatform::DeniedCode() {
#ifdef _WIN32
    return ERROR_ACCESS_DENIED;
#else
    return EACCES;
#endif
}

unsigned long TestPlatform::NotFoundCode() {
#ifdef _WIN32
    return ERROR_FILE_NOT_FOUND;
#else
    return ENOENT;
#endif
}

void FailAsDenied() {
#ifdef _WIN32
    SetLastError(TestPlatform::DeniedCode());
#else
    errno = static_cast<int>(TestPlatform::DeniedCode());
#endif
}

namespace {

class BudgetedWritableFile : public WritableFile {
public:
    BudgetedWritableFile(std::unique_ptr<WritableFile> inner, TestPlatform& owner, bool faulty)
        : inner_(std::move(inner)), owner_(owner), faulty_(faulty) {
        ++owner_.filesOpenForWriting;
    }
    ~BudgetedWritableFile() override { MarkClosed(); }

    bool Write(const char* data, std::size_t size) override {
        if (!owner_.writeBudget || !faulty_) {
            return inner_->Write(data, size);
        }
        // A full disk takes what still fits, then refuses.
        const std::size_t fits = std::min(size, *owner_.writeBudget);
        *owner_.writeBudget -= fits;
        const bool written = inner_->Write(data, fits);
        if (written && fits != size) {
            FailAsDenied();
        }
        return written && fits == size;
    }

    bool Close() override {
        const bool closed = inner_->Close();
        MarkClosed();
        const bool fail = owner_.failClose && faulty_;
        if (closed && fail) {
            FailAsDenied();
        }
        return closed && !fail;
    }

private:
    void MarkClosed() {
        if (open_) {
            open_ = false;
            --owner_.filesOpenForWriting;
        }
    }

    std::unique_ptr<WritableFile> inner_;
    TestPlatform& owner_;
    bool faulty_;
    bool open_ = true;
};

class BudgetedReadableFile : public ReadableFile {
public:
    BudgetedReadableFile(std::unique_ptr<ReadableFile> inner, TestPlatform& owner, bool faulty)
        : inner_(std::move(inner)), owner_(owner), faulty_(faulty) {}

    long Read(char* buffer, std::size_t size) override {
        if (owner_.readBudget && faulty_) {
            if (*owner_.readBudget == 0) {
                FailAsDenied();
                return -1;
            }
            size = std::min(size, *owner_.readBudget);
        }
        const long count = inner_->Read(buffer, size);
        if (count > 0) {
            owner_.bytesRead += static_cast<std::size_t>(count);
            if (owner_.readBudget && faulty_) {
                *owner_.readBudget -= static_cast<std::size_t>(count);
            }
        }
        return count;
    }

private:
    std::unique_ptr<ReadableFile> inner_;
    TestPlatform& owner_;
    bool faulty_;
};

constexpr std::uint32_t kRegText = 1;
constexpr std::uint32_t kRegNumber = 4;

// REG_SZ bytes: UTF-16 LE code units and a terminating NUL.
std::string TextBytes(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    bytes.append(2, '\0');
    return bytes;
}

// The string a REG_SZ holds, when its bytes are exactly what TextBytes makes.
std::optional<std::wstring> TextOf(const std::string& bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    if (text.back() != L'\0') {
        return std::nullopt;
    }
    text.pop_back();
    if (text.find(L'\0') != std::wstring::npos) {
        return std::nullopt;
    }
    return text;
}

class MemoryRegistryKey : public RegistryKey {
public:
    MemoryRegistryKey(TestPlatform& owner, std::map<std::wstring, RegistryValue>& values)
        : owner_(owner), values_(values) {}

    unsigned long SetText(const std::wstring& name, const std::wstring& text) override {
        return Set(name, text);
    }
    unsigned long SetNumber(const std::wstring& name, std::uint32_t number) override {
        return Set(name, number);
    }
    unsigned long DeleteValue(const std::wstring& name) override {
        if (owner_.failingValues.count(name) != 0) {
            return TestPlatform::DeniedCode();
        }
        return values_.erase(name) != 0 ? 0 : TestPlatform::NotFoundCode();
    }
    std::optional<std::uint32_t> ReadNumber(const std::wstring& name) override {
        const auto found = values_.find(name);
        if (found == values_.end() || !std::holds_alternative<std::uint32_t>(found->second)) {
            return std::nullopt;
        }
        return std::get<std::uint32_t>(found->second);
    }
    unsigned long ReadStored(const std::wstring& name, StoredValue& value) override {
        if (owner_.failingValues.count(name) != 0) {
            return TestPlatform::DeniedCode();
        }
        const auto found = values_.find(name);
        if (found == values_.end()) {
            return TestPlatform::NotFoundCode();
        }
        if (const auto* text = std::get_if<std::wstring>(&found->second)) {
            value = {kRegText, TextBytes(*text)};
        } else if (const auto* number = std::get_if<std::uint32_t>(&found->second)) {
            std::string bytes;
            for (int shift = 0; shift < 32; shift += 8) {
                bytes.push_back(static_cast<char>((*number >> shift) & 0xFF));
            }
            value = {kRegNumber, bytes};
        } else {
            value = std::get<StoredValue>(found->second);
        }
        return 0;
    }
    unsigned long SetStored(const std::wstring& name, const StoredValue& value) override {
        if (value.type == kRegText) {
            if (const auto text = TextOf(value.data)) {
                return Set(name, *text);
            }
        }
        if (value.type == kRegNumber && value.data.size() == 4) {
            std::uint32_t number = 0;
            for (int i = 3; i >= 0; --i) {
                number = number << 8 |
                         static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
            }
            return Set(name, number);
        }
        return Set(name, value);
    }

private:
    unsigned long Set(const std::wstring& name, RegistryValue value) {
        if (owner_.failingValues.count(name) != 0) {
            return TestPlatform::DeniedCode();
        }
        values_[name] = std::move(value);
        return 0;
    }

    TestPlatform& owner_;
    std::map<std::wstring, RegistryValue>& values_;
};

class CountedAccess : public SystemFolderAccess {
public:
    CountedAccess(TestPlatform& owner, std::unique_ptr<SystemFolderAccess> real)
        : owner_(owner), real_(std::move(real)) {
        ++owner_.systemFolderAccessesHeld;
    }
    ~CountedAccess() override {
        real_.reset();
        --owner_.systemFolderAccessesHeld;
    }

private:
    TestPlatform& owner_;
    std::unique_ptr<SystemFolderAccess> real_;
};

} // namespace

bool TestPlatform::Faulty(const std::wstring& path) const {
    if (faultsInDataFolder || !machineDataFolder) {
        return true;
    }
    const std::wstring& folder = *machineDataFolder;
    return path.compare(0, folder.size(), folder) != 0;
}

std::optional<std::wstring> TestPlatform::MachineDataFolder(unsigned long& error) {
    if (realMachineDataFolder) {
        return NativePlatform::MachineDataFolder(error);
    }
    if (!machineDataFolder) {
        error = NotFoundCode();
        return std::nullopt;
    }
    error = 0;
    return machineDataFolder;
}

void TestPlatform::Record(const char* kind, const std::wstring& path) {
    steps.push_back({kind, path, systemFolderAccessesHeld > 0});
}

std::unique_ptr<SystemFolderAccess> TestPlatform::AccessSystemFolder() {
    return std::make_unique<CountedAccess>(
        *this, realSystemFolderAccess ? NativePlatform::AccessSystemFolder() : nullptr);
}

void TestPlatform::QuerySystemDirectoryA(char* buffer, unsigned size) {
    const std::size_t call = static_cast<std::size_t>(systemFolderQueries++);
    bufferHandedOver.assign(buffer, size);
    sizeHandedOver = size;
    if (realSystemFolder) {
        NativePlatform::QuerySystemDirectoryA(buffer, size);
        return;
    }
    const std::optional<std::string>& answer =
        call < answersByCall.size() ? answersByCall[call] : systemFolder;
    // As GetSystemDirectoryA: the path and its NUL when both fit, else nothing.
    if (answer && answer->size() + 1 <= size) {
        std::memcpy(buffer, answer->data(), answer->size());
        buffer[answer->size()] = '\0';
    }
}

std::wstring TestPlatform::ExecutableFolder() {
    return executableFolder ? *executableFolder : NativePlatform::ExecutableFolder();
}

std::unique_ptr<WritableFile> TestPlatform::CreateForWriting(const std::wstring& path) {
    created.push_back(path);
    Record("create", path);
    if (failCreate && Faulty(path)) {
        FailAsDenied();
        return nullptr;
    }
    std::unique_ptr<WritableFile> file = NativePlatform::CreateForWriting(path);
    if (!file) {
        return nullptr;
    }
    return std::make_unique<BudgetedWritableFile>(std::move(file), *this, Faulty(path));
}

std::unique_ptr<ReadableFile> TestPlatform::OpenForReading(const std::wstring& path) {
    opened.push_back(path);
    Record("open", path);
    std::unique_ptr<ReadableFile> file = NativePlatform::OpenForReading(path);
    if (!file) {
        return nullptr;
    }
    return std::make_unique<BudgetedReadableFile>(std::move(file), *this, Faulty(path));
}

bool TestPlatform::MoveReplacing(const std::wstring& from, const std::wstring& to) {
    Record("move", to);
    if (failMove && Faulty(to)) {
        FailAsDenied();
        return false;
    }
    return NativePlatform::MoveReplacing(from, to);
}

bool TestPlatform::RemoveFile(const std::wstring& path) {
    removed.push_back(path);
    Record("remove", path);
    if (undeletable.count(path) != 0) {
        FailAsDenied();
        return false;
    }
    return NativePlatform::RemoveFile(path);
}

bool TestPlatform::StartProcess(const std::wstring& application, const std::wstring& commandLine) {
    started.push_back({application, commandLine, filesOpenForWriting});
    Record("start", application);
    if (onStart) {
        onStart();
    }
    if (realStart) {
        return NativePlatform::StartProcess(application, commandLine);
    }
    if (!startSucceeds) {
        FailAsDenied();
    }
    return startSucceeds;
}

bool TestPlatform::IsVistaOrLater() {
    return vistaOrLater ? *vistaOrLater : NativePlatform::IsVistaOrLater();
}

std::unique_ptr<RegistryKey> TestPlatform::OpenMachineKey(const std::wstring& path, bool create,
                                                          unsigned long& error) {
    ++registryKeysOpened;
    if (!vistaOrLater) {
        return NativePlatform::OpenMachineKey(path, create, error);
    }
    if (failOpenKey) {
        error = DeniedCode();
        return nullptr;
    }
    if (!create && registry.count(path) == 0) {
        error = NotFoundCode();
        return nullptr;
    }
    error = 0;
    return std::make_unique<MemoryRegistryKey>(*this, registry[path]);
}

std::wstring TestPlatform::ShowOpenDialog(const std::wstring& filter, void* owner) {
    ++dialogsShown;
    dialogFilter = filter;
    dialogOwner = owner;
    return dialogAnswer;
}

} // namespace qm::test
