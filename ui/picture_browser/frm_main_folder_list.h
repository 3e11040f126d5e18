#pragma once
// The picture browser's folder list: the current folder's path from the root
// down, each folder open, then the current folder's subfolders, one step further
// in.

#include <windows.h>

#include <string>
#include <vector>

namespace qm::frmmain {

struct FolderEntry {
    std::wstring text; // what the list shows
    std::wstring path; // the folder it opens
    int level;         // how far it is indented
    bool open;         // on the current folder's path, the current folder included
};

std::vector<FolderEntry> FolderListEntries(const std::wstring& folder,
                                           const std::vector<std::wstring>& subfolders);

// Index of the current folder's entry (the last open one).
int CurrentFolderIndex(const std::vector<FolderEntry>& entries);

// Fills the list box with the entries' texts and selects the current folder.
void ShowFolderEntries(HWND list, const std::vector<FolderEntry>& entries);

// Draws one item of the owner-drawn list: indented by its level, with a small
// folder mark drawn open or closed.
void DrawFolderEntry(const DRAWITEMSTRUCT& item, const FolderEntry& entry, int indent);

} // namespace qm::frmmain
