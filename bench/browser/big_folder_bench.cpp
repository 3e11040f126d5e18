// Big-folder benchmark: the picture browser opened in a folder of many ".bmp"
// names and subfolders. Timed: opening that folder from one of its subfolders
// through the folder list, until the file list and the folder list are filled
// and painted. Floor: enumerating the same folder once with FindFirstFileW and
// FindNextFileW. The two alternate, run by run.
//
//   big_folder_bench [--files 10000] [--folders 1000] [--runs 11]

#include "bench_args.h"
#include "bench_clock.h"
#include "bench_files.h"
#include "bench_handles.h"
#include "bench_report.h"
#include "browser_driver.h"
#include "frm_main_folder_scan.h"
#include "frm_main_layout.h"
#include "frm_main_list_box.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace qm::bench {
namespace {

constexpr wchar_t kBigFolderName[] = L"big";

std::wstring Numbered(const wchar_t* prefix, int number, const wchar_t* suffix) {
    wchar_t name[64];
    swprintf(name, 64, L"%ls%05d%ls", prefix, number, suffix);
    return name;
}

// Empty files are enough to be listed.
bool MakeBigFolder(const std::wstring& folder, int files, int folders) {
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
        return false;
    }
    for (int i = 0; i < folders; ++i) {
        if (!CreateDirectoryW((folder + L"\\" + Numbered(L"folder", i, L"")).c_str(), nullptr)) {
            return false;
        }
    }
    for (int i = 0; i < files; ++i) {
        const std::wstring path = folder + L"\\" + Numbered(L"picture", i, L".bmp");
        const KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            return false;
        }
    }
    return true;
}

// The floor: every entry of the folder, once.
double TimeEnumeration(const std::wstring& folder, int& entries) {
    Stopwatch watch;
    entries = 0;
    WIN32_FIND_DATAW entry;
    const FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (find.Valid()) {
        do {
            ++entries;
        } while (FindNextFileW(find.Get(), &entry));
    }
    return watch.ElapsedMs();
}

// Where the browser's time goes: reading the folder once for both lists (every
// entry, sorted by name), and the file list filled and painted.
void ReportBreakdown(BrowserSession& browser, const std::wstring& big) {
    std::vector<double> reading, filling;
    for (int i = 0; i < 5; ++i) {
        Stopwatch watch;
        const auto contents = frmmain::ReadFolder(big);
        reading.push_back(watch.ElapsedMs());
        HWND list = browser.Control(frmmain::File1);
        watch.Restart();
        frmmain::ReplaceListItems(list,
                                  contents ? contents->bitmapNames : std::vector<std::wstring>());
        UpdateWindow(list);
        filling.push_back(watch.ElapsedMs());
    }
    char line[160];
    std::snprintf(line, sizeof line, "read_folder_ms=%.1f fill_and_paint_file_list_ms=%.1f",
                  Median(reading), Median(filling));
    ReportLine("big_folder_breakdown", line);
}

int Run(int files, int folders, int runs) {
    const std::wstring root = FreshTempFolder(L"qm-bench-big-folder");
    const std::wstring big = root + L"\\" + kBigFolderName;
    Stopwatch making;
    if (root.empty() || !MakeBigFolder(big, files, folders)) {
        std::fprintf(stderr, "cannot make the folder under %ls\n", root.c_str());
        RemoveTree(root);
        return 1;
    }
    std::printf("big_folder made %d files and %d folders in %.0f ms\n", files, folders,
                making.ElapsedMs());

    int status = 0;
    {
        BrowserSession browser(big);
        if (!browser.Opened() || browser.FileCount() != files) {
            std::fprintf(stderr, "the browser did not open on the folder (%d files listed)\n",
                         browser.Opened() ? browser.FileCount() : -1);
            status = 1;
        }
        const std::wstring subfolder = Numbered(L"folder", 0, L"");
        Pairs pairs;
        for (int run = 0; status == 0 && run < runs; ++run) {
            // Leave for a subfolder (not timed), then come back (timed).
            if (!browser.OpenFolderEntry(subfolder) || browser.FileCount() != 0) {
                std::fprintf(stderr, "cannot open %ls\n", subfolder.c_str());
                status = 1;
                break;
            }
            browser.Pump();
            int entries = 0;
            double floorMs = 0.0;
            if (run % 2 == 1) {
                floorMs = TimeEnumeration(big, entries);
            }
            Stopwatch watch;
            const bool opened = browser.OpenFolderEntry(kBigFolderName);
            const double browserMs = watch.ElapsedMs();
            if (run % 2 == 0) {
                floorMs = TimeEnumeration(big, entries);
            }
            if (!opened || browser.FileCount() != files || entries < files + folders) {
                std::fprintf(stderr, "run %d: %d files listed, %d entries enumerated\n", run + 1,
                             browser.FileCount(), entries);
                status = 1;
                break;
            }
            pairs.measured.push_back(browserMs);
            pairs.floor.push_back(floorMs);
            browser.Pump();
        }
        if (status == 0) {
            char line[160];
            std::snprintf(line, sizeof line, "files=%d folders=%d folder_list_entries=%d", files,
                          folders, browser.FolderEntryCount());
            ReportLine("big_folder", line);
            ReportPairs("big_folder", "ms", pairs, 2.0);
            ReportBreakdown(browser, big);
        }
    }
    RemoveTree(root);
    return status;
}

} // namespace
} // namespace qm::bench

int wmain(int argc, wchar_t** argv) {
    using namespace qm::bench;
    return Run(IntOption(argc, argv, L"--files", 10000), IntOption(argc, argv, L"--folders", 1000),
               IntOption(argc, argv, L"--runs", 11));
}
