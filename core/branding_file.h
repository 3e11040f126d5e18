#pragma once
// The branding file that "/apply" reads: INI-style text with one section,
// [Branding], whose keys are the main window's nine fields and the logo's path.
// It comes from anywhere, so it is read as hostile input: every fault is named
// by its line and key, and nothing in it is silently ignored.

#include "oem_info_file.h"
#include "text_decoding.h"

#include <cstddef>
#include <optional>
#include <string>

namespace qm {

// Larger files are no branding file a script would write.
inline constexpr std::size_t kMaxBrandingFileSize = 1024 * 1024;

struct BrandingFile {
    OemInfoRecord record; // a missing key is an empty field; the quote is the window's
    std::wstring logo;    // the path as written; empty when the file names none
    std::size_t logoLine = 0;
    TextEncoding encoding = TextEncoding::Utf8;
};

struct BrandingFileFault {
    std::size_t line = 0; // 1-based; 0 when the fault is the file as a whole
    std::wstring key;     // the key or section the fault is about, as written
    std::wstring message; // a sentence that names the line and the key
};

// The file's settings from its whole content, or the first fault in it.
std::optional<BrandingFile> ParseBrandingFile(const std::string& bytes, BrandingFileFault& fault);

} // namespace qm
