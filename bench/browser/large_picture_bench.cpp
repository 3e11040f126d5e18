// Large-picture check: the picture browser previews one 24-bit bitmap of
// 6000 x 4000 pixels (72 MB decoded) among small ones. Reported: whether the
// preview appears, the process's peak working set above its level just before
// (target: at most 1.5 times the decoded size), and what is still held once the
// next picture is selected. Run in a process of its own, so its peak is this
// picture's.
//
//   large_picture_bench [--width 6000] [--height 4000]

#include "bench_args.h"
#include "bench_files.h"
#include "bench_memory.h"
#include "bench_report.h"
#include "browser_driver.h"
#include "frm_main_layout.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace qm::bench {
namespace {

int Run(int width, int height) {
    const std::wstring folder = FreshTempFolder(L"qm-bench-large-picture");
    // Sorted by name: the small one first, then the large one, then another small.
    const bool written = !folder.empty() && WriteBitmap(folder + L"\\a-small.bmp", 172, 100, 1) &&
                         WriteBitmap(folder + L"\\b-large.bmp", width, height, 2) &&
                         WriteBitmap(folder + L"\\c-small.bmp", 172, 100, 3);
    if (!written) {
        std::fprintf(stderr, "cannot write the pictures\n");
        RemoveTree(folder);
        return 1;
    }
    const double decoded = static_cast<double>(PixelBytes24(width, height));
    int status = 0;
    {
        BrowserSession browser(folder);
        if (!browser.Opened() || browser.FileCount() != 3) {
            std::fprintf(stderr, "the browser did not list the pictures\n");
            status = 1;
        } else {
            SetFocus(browser.Control(frmmain::File1));
            browser.PressFileListKey(VK_HOME);
            browser.Pump();
            const HBITMAP small = browser.PreviewPicture();
            const MemoryUse idle = ProcessMemory(GetCurrentProcess());

            browser.PressFileListKey(VK_DOWN);
            browser.Pump();
            const HBITMAP large = browser.PreviewPicture();
            const MemoryUse atLarge = ProcessMemory(GetCurrentProcess());

            browser.PressFileListKey(VK_DOWN);
            browser.Pump();
            const MemoryUse afterNext = ProcessMemory(GetCurrentProcess());

            const bool appeared = large != nullptr && large != small;
            const double peakAbove =
                static_cast<double>(atLarge.peakWorkingSet) - static_cast<double>(idle.workingSet);
            const double heldSet =
                static_cast<double>(afterNext.workingSet) - static_cast<double>(idle.workingSet);
            const double heldPrivate = static_cast<double>(afterNext.privateBytes) -
                                       static_cast<double>(idle.privateBytes);
            char line[400];
            std::snprintf(line, sizeof line,
                          "width=%d height=%d decoded_mib=%.1f preview_appeared=%s "
                          "idle_working_set_mib=%.1f peak_before_mib=%.1f peak_mib=%.1f "
                          "peak_above_idle_mib=%.1f ratio_to_decoded=%.2f target=1.50 met=%s",
                          width, height, decoded / kMiB, appeared ? "yes" : "no",
                          idle.workingSet / kMiB, idle.peakWorkingSet / kMiB,
                          atLarge.peakWorkingSet / kMiB, peakAbove / kMiB, peakAbove / decoded,
                          appeared && peakAbove <= 1.5 * decoded ? "yes" : "no");
            ReportLine("large_picture", line);
            std::snprintf(
                line, sizeof line, "held_working_set_mib=%.1f held_private_mib=%.1f released=%s",
                heldSet / kMiB, heldPrivate / kMiB, heldPrivate < 0.05 * decoded ? "yes" : "no");
            ReportLine("large_picture", line);
        }
    }
    RemoveTree(folder);
    return status;
}

} // namespace
} // namespace qm::bench

int wmain(int argc, wchar_t** argv) {
    using namespace qm::bench;
    return Run(IntOption(argc, argv, L"--width", 6000), IntOption(argc, argv, L"--height", 4000));
}
