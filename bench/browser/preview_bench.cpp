// Preview benchmark: the picture browser opened in a folder of bitmaps of
// 172 x 100 pixels; the Down key moves through the file list, and each step
// previews the next picture. The two floors alternate with it, run by run.
//
// preview: the browser's own work per preview, timed inside its window
//   procedure from the file list's selection notice to the painted preview.
//   Floor: LoadImageW of the same files and one stretched draw of each into a
//   window of the preview's size.
// preview_key_step: the whole key press, list and preview, until both are
//   painted. Floor: the same, plus a bare list box of the file list's size, font
//   and names moved by the same key; under Wine the list box's scrolling
//   (its themed scroll bar) costs several times a preview, in both.
//
//   preview_bench [--pictures 1000] [--runs 11]

#include "bench_args.h"
#include "bench_clock.h"
#include "bench_files.h"
#include "bench_report.h"
#include "browser_driver.h"
#include "frm_main_bitmap_file.h"
#include "frm_main_layout.h"
#include "handles.h"
#include "picture_view.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace qm::bench {
namespace {

constexpr int kWidth = 172;
constexpr int kHeight = 100;

std::wstring PictureName(int number) {
    wchar_t name[32];
    swprintf(name, 32, L"logo%05d.bmp", number);
    return name;
}

// A plain window whose client area has the preview's size, to draw into.
class FloorWindow {
public:
    FloorWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QmPreviewFloor";
        RegisterClassW(&windowClass);
        RECT frame{0, 0, kWidth, kHeight};
        AdjustWindowRect(&frame, WS_POPUP | WS_VISIBLE, FALSE);
        window_ = CreateWindowExW(0, L"QmPreviewFloor", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~FloorWindow() { DestroyWindow(window_); }
    FloorWindow(const FloorWindow&) = delete;
    FloorWindow& operator=(const FloorWindow&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_;
};

// A list box like the browser's file list, in a window of its own, with the
// same names, on its first line.
class BareList {
public:
    BareList(HWND like, int names) {
        RECT place{};
        GetWindowRect(like, &place);
        // Beside the browser, not over it: covered parts would not be painted.
        RECT browser{};
        GetWindowRect(GetAncestor(like, GA_ROOT), &browser);
        const int width = place.right - place.left;
        const int left = std::min<int>(browser.right + 8, GetSystemMetrics(SM_CXSCREEN) - width);
        list_ = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"LISTBOX", L"",
            WS_POPUP | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, left, place.top,
            width, place.bottom - place.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(list_, WM_SETFONT, SendMessageW(like, WM_GETFONT, 0, 0), FALSE);
        for (int i = 0; i < names; ++i) {
            SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PictureName(i).c_str()));
        }
        Home();
    }
    ~BareList() { DestroyWindow(list_); }
    BareList(const BareList&) = delete;
    BareList& operator=(const BareList&) = delete;

    void Home() {
        SendMessageW(list_, LB_SETCURSEL, 0, 0);
        SendMessageW(list_, LB_SETTOPINDEX, 0, 0);
        UpdateWindow(list_);
    }
    // Down one line, as the key does, until painted; the newly selected line.
    int Down() {
        SendMessageW(list_, WM_KEYDOWN, VK_DOWN, 1);
        SendMessageW(list_, WM_KEYUP, VK_DOWN, 0xC0000001);
        UpdateWindow(list_);
        return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    }

private:
    HWND list_;
};

// Loads one picture and draws it stretched once: the floor of a preview.
bool LoadAndDraw(HDC target, const std::wstring& path) {
    OwnedBitmap picture(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!picture) {
        return false;
    }
    BITMAP info{};
    GetObjectW(picture.Get(), sizeof info, &info);
    OwnedMemoryDc source(CreateCompatibleDC(target));
    ScopedSelect select(source.Get(), picture.Get());
    return StretchBlt(target, 0, 0, kWidth, kHeight, source.Get(), 0, 0, info.bmWidth,
                      info.bmHeight, SRCCOPY) != FALSE;
}

// The floor for pictures 1..steps: each loaded and drawn; with a bare list, each
// after the list has moved down to it.
double TimeFloor(HWND window, const std::wstring& folder, int steps, BareList* list, int& drawn) {
    if (list) {
        list->Home();
    }
    drawn = 0;
    WindowDc target(window);
    Stopwatch watch;
    for (int i = 1; i <= steps; ++i) {
        const int picture = list ? list->Down() : i;
        if (LoadAndDraw(target.Get(), folder + L"\\" + PictureName(picture))) {
            ++drawn;
        }
    }
    GdiFlush();
    return watch.ElapsedMs();
}

// Times the browser's handling of the file list's selection notices: its window
// procedure is wrapped while the object lives.
class SelectionTimer {
public:
    explicit SelectionTimer(HWND browser) : browser_(browser) {
        active_ = this;
        original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            browser_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SelectionTimer::Procedure)));
    }
    ~SelectionTimer() {
        SetWindowLongPtrW(browser_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        active_ = nullptr;
    }
    SelectionTimer(const SelectionTimer&) = delete;
    SelectionTimer& operator=(const SelectionTimer&) = delete;

    void Reset() { totalMs_ = 0.0; }
    double TotalMs() const { return totalMs_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        SelectionTimer& self = *active_;
        const bool selection = message == WM_COMMAND && LOWORD(wParam) == frmmain::File1 &&
                               HIWORD(wParam) == LBN_SELCHANGE;
        if (!selection) {
            return CallWindowProcW(self.original_, window, message, wParam, lParam);
        }
        Stopwatch watch;
        const LRESULT result = CallWindowProcW(self.original_, window, message, wParam, lParam);
        UpdateWindow(GetDlgItem(window, frmmain::imgBrowser));
        self.totalMs_ += watch.ElapsedMs();
        return result;
    }

    static SelectionTimer* active_;
    HWND browser_;
    WNDPROC original_ = nullptr;
    double totalMs_ = 0.0;
};

SelectionTimer* SelectionTimer::active_ = nullptr;

// Down through the list from its first file, a preview per step: the whole
// steps' time, and the browser's own part of it in previewMs. Counts the steps
// whose preview changed.
double TimeBrowser(BrowserSession& browser, SelectionTimer& timer, int steps, double& previewMs,
                   int& previewed) {
    browser.PressFileListKey(VK_HOME);
    browser.Pump();
    timer.Reset();
    previewed = 0;
    HBITMAP shown = browser.PreviewPicture();
    Stopwatch watch;
    for (int i = 0; i < steps; ++i) {
        browser.PressFileListKey(VK_DOWN);
        HBITMAP now = browser.PreviewPicture();
        if (now != shown) {
            ++previewed;
            shown = now;
        }
    }
    const double ms = watch.ElapsedMs();
    previewMs = timer.TotalMs();
    browser.Pump();
    return ms;
}

// Where a preview's time goes: the browser's own decoding of a file, the
// system's LoadImageW of it, drawing a decoded picture into the preview, and a
// bare list box moving down a line.
void ReportBreakdown(BrowserSession& browser, BareList& list, const std::wstring& folder,
                     int pictures) {
    const int count = pictures < 200 ? pictures : 200;
    std::vector<HBITMAP> decoded;
    Stopwatch watch;
    for (int i = 0; i < count; ++i) {
        decoded.push_back(
            frmmain::LoadBitmapFile(folder + L"\\" + PictureName(i), SIZE{kWidth, kHeight}));
    }
    const double decodeMs = watch.ElapsedMs() / count;
    watch.Restart();
    for (int i = 0; i < count; ++i) {
        OwnedBitmap loaded(static_cast<HBITMAP>(
            LoadImageW(nullptr, (folder + L"\\" + PictureName(i)).c_str(), IMAGE_BITMAP, 0, 0,
                       LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    }
    const double loadImageMs = watch.ElapsedMs() / count;
    HWND view = browser.Control(frmmain::imgBrowser);
    watch.Restart();
    for (HBITMAP picture : decoded) {
        SetViewPicture(view, picture); // the view owns it from here
        UpdateWindow(view);
    }
    const double paintMs = watch.ElapsedMs() / count;

    list.Home();
    watch.Restart();
    for (int i = 1; i < pictures; ++i) {
        list.Down();
    }
    const double listMs = pictures > 1 ? watch.ElapsedMs() / (pictures - 1) : 0.0;

    char line[240];
    std::snprintf(line, sizeof line,
                  "browser_decode_ms=%.3f loadimage_ms=%.3f preview_paint_ms=%.3f "
                  "bare_list_key_ms=%.3f",
                  decodeMs, loadImageMs, paintMs, listMs);
    ReportLine("preview_breakdown", line);
}

int Run(int pictures, int runs) {
    const std::wstring folder = FreshTempFolder(L"qm-bench-preview");
    for (int i = 0; i < pictures && !folder.empty(); ++i) {
        if (!WriteBitmap(folder + L"\\" + PictureName(i), kWidth, kHeight, i)) {
            std::fprintf(stderr, "cannot write the pictures\n");
            RemoveTree(folder);
            return 1;
        }
    }
    const int steps = pictures - 1;
    int status = 0;
    {
        FloorWindow floorWindow;
        BrowserSession browser(folder);
        SetFocus(browser.Control(frmmain::File1));
        if (!browser.Opened() || browser.FileCount() != pictures || steps < 1) {
            std::fprintf(stderr, "the browser did not list the %d pictures\n", pictures);
            status = 1;
        }
        SelectionTimer timer(browser.Window());
        BareList bareList(browser.Control(frmmain::File1), pictures);
        Pairs previews;
        Pairs keySteps;
        for (int run = 0; status == 0 && run < runs; ++run) {
            int drawn = 0;
            int listDrawn = 0;
            int previewed = 0;
            double previewMs = 0.0;
            double stepMs = 0.0;
            double floorMs = 0.0;
            double listFloorMs = 0.0;
            if (run % 2 == 0) {
                stepMs = TimeBrowser(browser, timer, steps, previewMs, previewed);
                floorMs = TimeFloor(floorWindow.Get(), folder, steps, nullptr, drawn);
                listFloorMs = TimeFloor(floorWindow.Get(), folder, steps, &bareList, listDrawn);
            } else {
                listFloorMs = TimeFloor(floorWindow.Get(), folder, steps, &bareList, listDrawn);
                floorMs = TimeFloor(floorWindow.Get(), folder, steps, nullptr, drawn);
                stepMs = TimeBrowser(browser, timer, steps, previewMs, previewed);
            }
            if (previewed != steps || drawn != steps || listDrawn != steps) {
                std::fprintf(stderr,
                             "run %d: %d of %d previews shown, %d and %d drawn by the floors\n",
                             run + 1, previewed, steps, drawn, listDrawn);
                status = 1;
                break;
            }
            previews.measured.push_back(previewMs / steps);
            previews.floor.push_back(floorMs / steps);
            keySteps.measured.push_back(stepMs / steps);
            keySteps.floor.push_back(listFloorMs / steps);
        }
        if (status == 0) {
            char line[80];
            std::snprintf(line, sizeof line, "pictures=%d previews_per_run=%d", pictures, steps);
            ReportLine("preview", line);
            ReportPairs("preview", "ms_per_picture", previews, 1.5);
            ReportPairs("preview_key_step", "ms_per_picture", keySteps, 1.5);
            ReportBreakdown(browser, bareList, folder, pictures);
        }
    }
    RemoveTree(folder);
    return status;
}

} // namespace
} // namespace qm::bench

int wmain(int argc, wchar_t** argv) {
    using namespace qm::bench;
    return Run(IntOption(argc, argv, L"--pictures", 1000), IntOption(argc, argv, L"--runs", 11));
}
