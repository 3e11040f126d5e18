#include "frm_main_list_box.h"

namespace qm::frmmain {

void ReplaceListItems(HWND list, const std::vector<std::wstring>& items) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    // Room for every item at once, not grown item by item.
    std::size_t characters = 0;
    for (const std::wstring& item : items) {
        characters += item.size() + 1;
    }
    SendMessageW(list, LB_INITSTORAGE, items.size(), characters * sizeof(wchar_t));
    for (const std::wstring& item : items) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

namespace {

// An item's text, asked for with a control's pair of length and text messages.
std::wstring ItemText(HWND control, UINT lengthMessage, UINT textMessage, WPARAM index) {
    const LRESULT length = SendMessageW(control, lengthMessage, index, 0);
    if (length < 0) { // LB_ERR and CB_ERR alike
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(control, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

std::wstring SelectedItemText(HWND list) {
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        return {};
    }
    return ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, static_cast<WPARAM>(index));
}

std::wstring ComboItemText(HWND combo, int index) {
    return ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<WPARAM>(index));
}

} // namespace qm::frmmain
