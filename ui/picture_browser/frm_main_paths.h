#pragma once
// Folder paths as the picture browser's lists hold them: no trailing backslash,
// except a drive's root ("C:\").

#include <string>
#include <vector>

namespace qm::frmmain {

// "C:" becomes "C:\"; trailing backslashes go, except the root's own.
std::wstring NormalizeFolder(std::wstring path);

// folder, one backslash, name; the root's backslash is not doubled.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// The folders from the root down to folder itself, each as a full path.
std::vector<std::wstring> FolderChain(const std::wstring& folder);

// What a folder list shows for a folder: the root as it is, else its last name.
std::wstring FolderName(const std::wstring& folder);

// The drive letter of a path, upper case; 0 for a path without one.
wchar_t DriveLetterOf(const std::wstring& path);

} // namespace qm::frmmain
