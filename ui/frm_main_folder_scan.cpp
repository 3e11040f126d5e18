#include "frm_main_folder_scan.h"

#include "frm_main_paths.h"

#include <algorithm>
#include <functional>

namespace qm::frmmain {
namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

constexpr DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Calls visit for every entry of folder except "." and ".."; false when the
// folder cannot be read to its end.
bool EachEntry(const std::wstring& folder,
               const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    CriticalErrorsQuiet quiet;
    WIN32_FIND_DATAW entry;
    FindHandle find(FindFirstFileW(JoinPath(folder, L"*").c_str(), &entry));
    if (find.Get() == INVALID_HANDLE_VALUE) {
        // An empty root folder has not even "." and "..".
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") {
            visit(entry);
        }
    } while (FindNextFileW(find.Get(), &entry));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

std::optional<std::vector<std::wstring>>
SortedNames(const std::wstring& folder,
            const std::function<bool(const WIN32_FIND_DATAW&)>& wanted) {
    std::vector<std::wstring> names;
    const bool read = EachEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
        if ((entry.dwFileAttributes & kLeftOut) == 0 && wanted(entry)) {
            names.emplace_back(entry.cFileName);
        }
    });
    if (!read) {
        return std::nullopt;
    }
    std::stable_sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return lstrcmpiW(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

bool IsFolder(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

bool IsBitmapName(const std::wstring& name) {
    constexpr wchar_t kExtension[] = L".bmp";
    constexpr std::size_t kLength = 4;
    return name.size() >= kLength &&
           lstrcmpiW(name.c_str() + name.size() - kLength, kExtension) == 0;
}

std::optional<std::vector<std::wstring>> ListSubfolders(const std::wstring& folder) {
    return SortedNames(folder, [](const WIN32_FIND_DATAW& entry) { return IsFolder(entry); });
}

std::optional<std::vector<std::wstring>> ListBitmapNames(const std::wstring& folder) {
    return SortedNames(folder, [](const WIN32_FIND_DATAW& entry) {
        return !IsFolder(entry) && IsBitmapName(entry.cFileName);
    });
}

} // namespace qm::frmmain
