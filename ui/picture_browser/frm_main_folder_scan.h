#pragma once
// Reads a folder for the picture browser's lists. Hidden and system entries are
// left out, and names come sorted without regard to case.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qm::frmmain {

// Both lists' names from one reading of the folder, its subfolders and the
// files that match "*.bmp"; nothing when the folder cannot be read. A big folder
// is read once when the folder list moves and the file list follows it.
struct FolderContents {
    std::vector<std::wstring> subfolders;
    std::vector<std::wstring> bitmapNames;
};
std::optional<FolderContents> ReadFolder(const std::wstring& folder);

// Whether a file name matches "*.bmp" by its long name (a short name such as
// "PICTUR~1.BMP" of "picture.bmpx" does not count).
bool IsBitmapName(const std::wstring& name);

// Keeps the system's "insert a disk" box away while a drive without a medium is
// asked about: the caller reports that itself.
class CriticalErrorsQuiet {
public:
    CriticalErrorsQuiet() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~CriticalErrorsQuiet() { SetErrorMode(previous_); }
    CriticalErrorsQuiet(const CriticalErrorsQuiet&) = delete;
    CriticalErrorsQuiet& operator=(const CriticalErrorsQuiet&) = delete;

private:
    UINT previous_;
};

} // namespace qm::frmmain
