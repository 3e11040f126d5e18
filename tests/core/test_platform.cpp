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
    BudgetedWritableFile(std::unique_ptr<WritableFile> inner, TestPlatform& owner)
        : inner_(std::move(inner)), owner_(owner) {
        ++owner_.filesOpenForWriting;
    }
    ~BudgetedWritableFile() override { MarkClosed(); }

    bool Write(const char* data, std::size_t size) override {
        if (!owner_.writeBudget) {
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
        if (closed && owner_.failClose) {
            FailAsDenied();
        }
        return closed && !owner_.failClose;
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
    bool open_ = true;
};

class BudgetedReadableFile : public ReadableFile {
public:
    BudgetedReadableFile(std::unique_ptr<ReadableFile> inner, TestPlatform& owner)
        : inner_(std::move(inner)), owner_(owner) {}

    long Read(char* buffer, std::size_t size) override {
        if (owner_.readBudget) {
            if (*owner_.readBudget == 0) {
                FailAsDenied();
                return -1;
            }
            size = std::min(size, *owner_.readBudget);
        }
        const long count = inner_->Read(buffer, size);
        if (count > 0) {
            owner_.bytesRead += static_cast<std::size_t>(count);
            if (owner_.readBudget) {
                *owner_.readBudget -= static_cast<std::size_t>(count);
            }
        }
        return count;
    }

private:
    std::unique_ptr<ReadableFile> inner_;
    TestPlatform& owner_;
};

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
    if (failCreate) {
        FailAsDenied();
        return nullptr;
    }
    std::unique_ptr<WritableFile> file = NativePlatform::CreateForWriting(path);
    if (!file) {
        return nullptr;
    }
    return std::make_unique<BudgetedWritableFile>(std::move(file), *this);
}

std::unique_ptr<ReadableFile> TestPlatform::OpenForReading(const std::wstring& path) {
    opened.push_back(path);
    Record("open", path);
    std::unique_ptr<ReadableFile> file = NativePlatform::OpenForReading(path);
    if (!file) {
        return nullptr;
    }
    return std::make_unique<BudgetedReadableFile>(std::move(file), *this);
}

bool TestPlatform::MoveReplacing(const std::wstring& from, const std::wstring& to) {
    Record("move", to);
    if (failMove) {
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
