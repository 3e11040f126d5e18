#include "ansi_text.h"

#include <windows.h>

namespace qm {

// The system's own conversion: CP_ACP, and for characters the code page lacks
// its default substitute character (no lpDefaultChar given). No best fit: it
// would turn a full-width quote or backslash into a real one, changing what a
// line or a path means.
constexpr DWORD kFlags = WC_NO_BEST_FIT_CHARS;

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_ACP, kFlags, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, kFlags, text.data(), length, bytes.data(), needed, nullptr,
                        nullptr);
    return bytes;
}

std::wstring FromAnsi(const std::string& bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), needed);
    return text;
}

} // namespace qm
