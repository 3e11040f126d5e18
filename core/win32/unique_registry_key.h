#pragma once
// Owns an open registry key and closes it once.

#include <windows.h>

namespace qm {

class UniqueRegistryKey {
public:
    explicit UniqueRegistryKey(HKEY key = nullptr) : key_(key) {}
    ~UniqueRegistryKey() {
        if (key_) {
            RegCloseKey(key_);
        }
    }
    UniqueRegistryKey(const UniqueRegistryKey&) = delete;
    UniqueRegistryKey& operator=(const UniqueRegistryKey&) = delete;

    HKEY Get() const { return key_; }

private:
    HKEY key_;
};

} // namespace qm
