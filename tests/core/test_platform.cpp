#include "test_platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qm::test {

void FailAsDenied() {
#ifdef _WIN32
    SetLastError(ERROR_ACCESS_DENIED);
#else
    errno = EACCES;
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

std::wstring TestPlatform::ShowOpenDialog(const std::wstring& filter, void* owner) {
    ++dialogsShown;
    dialogFilter = filter;
    dialogOwner = owner;
    return dialogAnswer;
}

} // namespace qm::test
