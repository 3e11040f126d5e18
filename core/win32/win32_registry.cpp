#include "unique_registry_key.h"
#include "win32_platform.h"

#include <utility>

namespace qm {
namespace {

class Win32RegistryKey : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}

    unsigned long SetText(const std::wstring& name, const std::wstring& text) override {
        // The size counts the terminating NUL, which c_str() provides.
        const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return static_cast<unsigned long>(
            RegSetValueExW(key_.Get(), name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()), size));
    }

    unsigned long SetNumber(const std::wstring& name, std::uint32_t number) override {
        const DWORD data = number;
        return static_cast<unsigned long>(RegSetValueExW(key_.Get(), name.c_str(), 0, REG_DWORD,
                                                         reinterpret_cast<const BYTE*>(&data),
                                                         sizeof(data)));
    }

    unsigned long DeleteValue(const std::wstring& name) override {
        return static_cast<unsigned long>(RegDeleteValueW(key_.Get(), name.c_str()));
    }

    std::optional<std::uint32_t> ReadNumber(const std::wstring& name) override {
        DWORD type = 0;
        DWORD data = 0;
        DWORD size = sizeof(data);
        if (RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof(data)) {
            return std::nullopt;
        }
        return data;
    }

    unsigned long ReadStored(const std::wstring& name, StoredValue& value) override {
        // The value may grow between the two calls; ask again until it fits.
        for (int attempt = 0; attempt < 8; ++attempt) {
            DWORD type = 0;
            DWORD size = 0;
            LONG status =
                RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size);
            if (status != ERROR_SUCCESS) {
                return static_cast<unsigned long>(status);
            }
            if (size > kLargestValue) {
                return ERROR_MORE_DATA;
            }
            std::string data(size, '\0');
            status = RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
            if (status == ERROR_MORE_DATA) {
                continue;
            }
            if (status != ERROR_SUCCESS) {
                return static_cast<unsigned long>(status);
            }
            data.resize(size);
            value = {static_cast<std::uint32_t>(type), std::move(data)};
            return ERROR_SUCCESS;
        }
        return ERROR_MORE_DATA;
    }

    unsigned long SetStored(const std::wstring& name, const StoredValue& value) override {
        if (value.data.size() > kLargestValue) {
            return ERROR_MORE_DATA;
        }
        return static_cast<unsigned long>(
            RegSetValueExW(key_.Get(), name.c_str(), 0, value.type,
                           reinterpret_cast<const BYTE*>(value.data.data()),
                           static_cast<DWORD>(value.data.size())));
    }

private:
    // Far above anything a branding value holds; a bound for the copy in memory.
    static constexpr DWORD kLargestValue = 1u << 20;

    UniqueRegistryKey key_;
};

} // namespace

std::unique_ptr<RegistryKey> Win32Platform::OpenMachineKey(const std::wstring& path, bool create,
                                                           unsigned long& error) {
    // A 32-bit program is otherwise sent to Wow6432Node, which 64-bit Windows
    // never reads for this; on 32-bit Windows the flag changes nothing.
    const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY;
    HKEY key = nullptr;
    const LONG status =
        create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr)
               : RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key);
    error = static_cast<unsigned long>(status);
    if (status != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(key);
}

} // namespace qm
