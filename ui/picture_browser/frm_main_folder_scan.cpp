#include "frm_main_folder_scan.h"

#include "frm_main_paths.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

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

// Sorts names as lstrcmpiW orders them, equal ones kept in their order. Each
// name's sort key is made once: comparing keys costs a memcmp, where thousands
// of lstrcmpiW calls cost tens of milliseconds in a big folder.
void SortByName(std::vector<std::wstring>& names) {
    struct Keyed {
        std::string key;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(names.size());
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // Most keys fit here, made in one call; a longer one is measured first.
    std::string buffer(1024, '\0');
    for (std::size_t i = 0; i < names.size(); ++i) {
        const wchar_t* name = names[i].c_str();
        const int length = static_cast<int>(names[i].size());
        // A sort key is bytes, though the call is typed for wide characters.
        const auto make = [&] {
            return LCMapStringW(LOCALE_USER_DEFAULT, kFlags, name, length,
                                reinterpret_cast<wchar_t*>(buffer.data()),
                                static_cast<int>(buffer.size()));
        };
        int made = make();
        if (made == 0) {
            buffer.resize(static_cast<std::size_t>(
                LCMapStringW(LOCALE_USER_DEFAULT, kFlags, name, length, nullptr, 0)));
            made = make();
        }
        keyed.push_back({buffer.substr(0, static_cast<std::size_t>(made)), i});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<std::wstring> sorted;
    sorted.reserve(names.size());
    for (const Keyed& entry : keyed) {
        sorted.push_back(std::move(names[entry.index]));
    }
    names = std::move(sorted);
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

std::optional<FolderContents> ReadFolder(const std::wstring& folder) {
    FolderContents contents;
    const bool read = EachEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
        if ((entry.dwFileAttributes & kLeftOut) != 0) {
            return;
        }
        if (IsFolder(entry)) {
            contents.subfolders.emplace_back(entry.cFileName);
        } else if (IsBitmapName(entry.cFileName)) {
            contents.bitmapNames.emplace_back(entry.cFileName);
        }
    });
    if (!read) {
        return std::nullopt;
    }
    SortByName(contents.subfolders);
    SortByName(contents.bitmapNames);
    return contents;
}

} // namespace qm::frmmain
