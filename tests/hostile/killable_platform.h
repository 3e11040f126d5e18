#pragma once
// A platform on which the process can be killed at a chosen point of writing:
// after some number of bytes, or just before a temporary file is moved into place.

#include "test_platform.h"

#include <memory>
#include <optional>

namespace qm::test {

// Where the process dies: nothing after this point runs, no clean-up included.
struct Killed {};

class KillableFile final : public WritableFile {
public:
    KillableFile(std::unique_ptr<WritableFile> inner, std::optional<std::size_t>& bytesToLive)
        : inner_(std::move(inner)), bytesToLive_(bytesToLive) {}
    bool Write(const char* data, std::size_t size) override {
        if (bytesToLive_ && size > *bytesToLive_) {
            inner_->Write(data, *bytesToLive_);
            // What reached the file stays there, as after a real kill.
            inner_->Close();
            throw Killed{};
        }
        if (bytesToLive_) {
            *bytesToLive_ -= size;
        }
        return inner_->Write(data, size);
    }
    bool Close() override { return inner_->Close(); }

private:
    std::unique_ptr<WritableFile> inner_;
    std::optional<std::size_t>& bytesToLive_;
};

class FaultPlatform final : public TestPlatform {
public:
    std::optional<std::size_t> killAfterBytes; // of everything written from now on
    bool killBeforeMove = false;

    std::unique_ptr<WritableFile> CreateForWriting(const std::wstring& path) override {
        std::unique_ptr<WritableFile> file = TestPlatform::CreateForWriting(path);
        if (!file) {
            return nullptr;
        }
        return std::make_unique<KillableFile>(std::move(file), killAfterBytes);
    }
    bool MoveReplacing(const std::wstring& from, const std::wstring& to) override {
        if (killBeforeMove) {
            throw Killed{};
        }
        return TestPlatform::MoveReplacing(from, to);
    }
};

} // namespace qm::test
