#pragma once
// Command-line helpers shared by the harnesses.

#include <string>

namespace qm::bench {

// A path as given: a Unix path (as the test runner passes one) is reached
// through Wine's drive Z:, a Windows path stays as it is.
std::wstring WindowsPath(const std::wstring& path);

// The number after "--name" in argv, or fallback.
int IntOption(int argc, wchar_t** argv, const wchar_t* name, int fallback);
// The text after "--name" in argv, or fallback.
std::wstring TextOption(int argc, wchar_t** argv, const wchar_t* name,
                        const std::wstring& fallback);

} // namespace qm::bench
