#pragma once
// The picture browser opened in this process, as the program opens it, and driven
// through its own controls: a double-click in the folder list, a key press in the
// file list. A stand-in main window receives what the browser hands back.

#include <windows.h>

#include <string>

namespace qm::bench {

class BrowserSession {
public:
    // Opens the browser with the process's current folder set to folder.
    explicit BrowserSession(const std::wstring& folder);
    ~BrowserSession();
    BrowserSession(const BrowserSession&) = delete;
    BrowserSession& operator=(const BrowserSession&) = delete;

    bool Opened() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }

    // Opens the folder list's entry with this text, as a double-click does, and
    // returns once both lists are filled and painted. False without that entry.
    bool OpenFolderEntry(const std::wstring& text);

    // Presses a key in the file list, as the user does, and returns once the
    // list and the preview are painted.
    void PressFileListKey(UINT key);

    int FileCount() const;
    int FolderEntryCount() const;
    // The preview's current picture (changes with every picture loaded).
    HBITMAP PreviewPicture() const;

    // Handles whatever the browser has queued, without waiting.
    void Pump();

private:
    HWND window_ = nullptr;
};

} // namespace qm::bench
