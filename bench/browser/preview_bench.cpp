// Preview benchmark: the picture browser opened in a folder of bitmaps of
// 172 x 100 pixels; the Down key moves through the file list, and each step
// previews the next picture. Timed per preview, until the list and the preview
// are painted. Floor: LoadImageW of the same files and one stretched draw of
// each into a window of the preview's size. The two alternate, run by run.
// Timed the same way besides: the preview alone (the browser's decoding and the
// preview's painting, without the file list's handling of the key).
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

// The floor for pictures first..last: load each file, draw it stretched once.
double TimeFloor(HWND window, const std::wstring& folder, int first, int last, int& drawn) {
    Stopwatch watch;
    drawn = 0;
    WindowDc target(window);
    for (int i = first; i <= last; ++i) {
        const std::wstring path = folder + L"\\" + PictureName(i);
        OwnedBitmap picture(static_cast<HBITMAP>(LoadImageW(
            nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        if (!picture) {
            continue;
        }
        BITMAP info{};
        GetObjectW(picture.Get(), sizeof info, &info);
        OwnedMemoryDc source(CreateCompatibleDC(target.Get()));
        ScopedSelect select(source.Get(), picture.Get());
        if (StretchBlt(target.Get(), 0, 0, kWidth, kHeight, source.Get(), 0, 0, info.bmWidth,
                       info.bmHeight, SRCCOPY)) {
            ++drawn;
        }
    }
    GdiFlush();
    return watch.ElapsedMs();
}

// The browser's preview alone, without the file list: each file decoded as the
// browser decodes it, given to the preview and painted there.
double TimePreviewAlone(BrowserSession& browser, const std::wstring& folder, int first, int last,
                        int& previewed) {
    HWND view = browser.Control(frmmain::imgBrowser);
    RECT area{};
    GetClientRect(view, &area);
    const SIZE shown{area.right, area.bottom};
    previewed = 0;
    Stopwatch watch;
    for (int i = first; i <= last; ++i) {
        if (HBITMAP picture = frmmain::LoadBitmapFile(folder + L"\\" + PictureName(i), shown)) {
            SetViewPicture(view, picture); // the view owns it from here
            UpdateWindow(view);
            ++previewed;
        }
    }
    return watch.ElapsedMs();
}

// Down through the list from its first file: a preview per step. Counts the
// steps whose preview changed.
double TimeBrowser(BrowserSession& browser, int steps, int& previewed) {
    browser.PressFileListKey(VK_HOME);
    browser.Pump();
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
    browser.Pump();
    return ms;
}

// Where a preview's time goes: the browser's own decoding of a file, the
// system's LoadImageW of it, and drawing a decoded picture into the preview;
// what the steps leave over is the file list's own handling of the key.
void ReportBreakdown(BrowserSession& browser, const std::wstring& folder, int pictures) {
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

    // A list box like the file list, in a window of its own, moved through by key.
    HWND files = browser.Control(frmmain::File1);
    RECT place{};
    GetWindowRect(files, &place);
    HWND list = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", L"",
        WS_POPUP | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, place.left + 300,
        place.top, place.right - place.left, place.bottom - place.top, nullptr, nullptr,
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, SendMessageW(files, WM_GETFONT, 0, 0), FALSE);
    for (int i = 0; i < pictures; ++i) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PictureName(i).c_str()));
    }
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    UpdateWindow(list);
    watch.Restart();
    for (int i = 1; i < pictures; ++i) {
        SendMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
        SendMessageW(list, WM_KEYUP, VK_DOWN, 0xC0000001);
        UpdateWindow(list);
    }
    const double listMs = pictures > 1 ? watch.ElapsedMs() / (pictures - 1) : 0.0;
    DestroyWindow(list);

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
        Pairs pairs;
        Pairs alone;
        for (int run = 0; status == 0 && run < runs; ++run) {
            int drawn = 0;
            int previewed = 0;
            double floorMs = 0.0;
            double browserMs = 0.0;
            if (run % 2 == 0) {
                browserMs = TimeBrowser(browser, steps, previewed);
                floorMs = TimeFloor(floorWindow.Get(), folder, 1, steps, drawn);
            } else {
                floorMs = TimeFloor(floorWindow.Get(), folder, 1, steps, drawn);
                browserMs = TimeBrowser(browser, steps, previewed);
            }
            if (previewed != steps || drawn != steps) {
                std::fprintf(stderr, "run %d: %d of %d previews shown, %d drawn by the floor\n",
                             run + 1, previewed, steps, drawn);
                status = 1;
                break;
            }
            pairs.measured.push_back(browserMs / steps);
            pairs.floor.push_back(floorMs / steps);

            int alonePreviewed = 0;
            double aloneMs = 0.0;
            if (run % 2 == 0) {
                aloneMs = TimePreviewAlone(browser, folder, 1, steps, alonePreviewed);
                floorMs = TimeFloor(floorWindow.Get(), folder, 1, steps, drawn);
            } else {
                floorMs = TimeFloor(floorWindow.Get(), folder, 1, steps, drawn);
                aloneMs = TimePreviewAlone(browser, folder, 1, steps, alonePreviewed);
            }
            if (alonePreviewed != steps) {
                std::fprintf(stderr, "run %d: %d of %d pictures decoded\n", run + 1, alonePreviewed,
                             steps);
                status = 1;
                break;
            }
            alone.measured.push_back(aloneMs / steps);
            alone.floor.push_back(floorMs / steps);
        }
        if (status == 0) {
            char line[80];
            std::snprintf(line, sizeof line, "pictures=%d previews_per_run=%d", pictures, steps);
            ReportLine("preview", line);
            ReportPairs("preview", "ms_per_picture", pairs, 1.5);
            ReportPairs("preview_alone", "ms_per_picture", alone, 1.5);
            ReportBreakdown(browser, folder, pictures);
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
