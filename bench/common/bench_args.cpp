#include "bench_args.h"

#include <cwchar>

namespace qm::bench {

std::wstring WindowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') {
        return path;
    }
    std::wstring windows = L"Z:" + path;
    for (wchar_t& c : windows) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return windows;
}

std::wstring TextOption(int argc, wchar_t** argv, const wchar_t* name,
                        const std::wstring& fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wcscmp(argv[i], name) == 0) {
            return argv[i + 1];
        }
    }
    return fallback;
}

int IntOption(int argc, wchar_t** argv, const wchar_t* name, int fallback) {
    const std::wstring text = TextOption(argc, argv, name, L"");
    return text.empty() ? fallback : static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
}

} // namespace qm::bench
