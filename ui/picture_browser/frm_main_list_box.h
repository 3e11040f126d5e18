#pragma once
// Small helpers over list boxes and the lists of combo boxes.

#include <windows.h>

#include <string>
#include <vector>

namespace qm::frmmain {

// Replaces every item, with drawing held off meanwhile so a big folder does not
// flicker; nothing is selected afterwards.
void ReplaceListItems(HWND list, const std::vector<std::wstring>& items);

// The text of the selected item; empty when none is selected.
std::wstring SelectedItemText(HWND list);

// The text of a combo box's item; empty when there is no such item.
std::wstring ComboItemText(HWND combo, int index);

} // namespace qm::frmmain
