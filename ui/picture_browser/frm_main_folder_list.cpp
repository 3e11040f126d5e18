#include "frm_main_folder_list.h"

#include "frm_main_list_box.h"
#include "frm_main_paths.h"

namespace qm::frmmain {
namespace {

std::vector<std::wstring> Texts(const std::vector<FolderEntry>& entries) {
    std::vector<std::wstring> texts;
    texts.reserve(entries.size());
    for (const FolderEntry& entry : entries) {
        texts.push_back(entry.text);
    }
    return texts;
}

// A folder mark in the text's colour: a tab over a box, the box left hollow
// for a closed folder and filled for an open one.
void DrawFolderMark(HDC dc, const RECT& area, bool open, HBRUSH brush) {
    const int height = area.bottom - area.top;
    const int size = height * 2 / 3;
    const int left = area.left;
    const int top = area.top + (height - size) / 2 + 1;
    const RECT tab{left, top - 1, left + size / 2, top};
    FillRect(dc, &tab, brush);
    const RECT box{left, top, left + size + size / 3, top + size - 1};
    if (open) {
        FillRect(dc, &box, brush);
    } else {
        FrameRect(dc, &box, brush);
    }
}

} // namespace

std::vector<FolderEntry> FolderListEntries(const std::wstring& folder,
                                           const std::vector<std::wstring>& subfolders) {
    std::vector<FolderEntry> entries;
    int level = 0;
    for (const std::wstring& path : FolderChain(folder)) {
        entries.push_back({FolderName(path), path, level++, true});
    }
    for (const std::wstring& name : subfolders) {
        entries.push_back({name, JoinPath(folder, name), level, false});
    }
    return entries;
}

int CurrentFolderIndex(const std::vector<FolderEntry>& entries) {
    int index = -1;
    for (std::size_t i = 0; i < entries.size() && entries[i].open; ++i) {
        index = static_cast<int>(i);
    }
    return index;
}

void ShowFolderEntries(HWND list, const std::vector<FolderEntry>& entries) {
    ReplaceListItems(list, Texts(entries));
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(CurrentFolderIndex(entries)), 0);
}

void DrawFolderEntry(const DRAWITEMSTRUCT& item, const FolderEntry& entry, int indent) {
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    const int foreground = selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    FillRect(dc, &item.rcItem, GetSysColorBrush(background));

    RECT mark = item.rcItem;
    mark.left += 2 + entry.level * indent;
    DrawFolderMark(dc, mark, entry.open, GetSysColorBrush(foreground));

    RECT text = mark;
    text.left += indent * 2;
    const COLORREF oldText = SetTextColor(dc, GetSysColor(foreground));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(dc, &item.rcItem);
    }
}

} // namespace qm::frmmain
