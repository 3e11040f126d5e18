#pragma once
// Small helpers over list boxes.

#include <windows.h>

#include <string>
#include <vector>

namespace qm::frmmain {

// Replaces every item, with drawing held off meanwhile so a big folder does not
// flicker; nothing is selected afterwards.
void ReplaceListItems(HWND list, const std::vector<std::wstring>& items);

// The text of the selected item; empty when none is selected.
std::wstring SelectedItemText(HWND list);

} // namespace qm::frmmain
