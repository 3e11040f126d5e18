#pragma once
// What "/apply FILE" will do, read and checked whole before anything changes:
// the branding file, its texts and the logo it names.

#include "oem_info_file.h"

#include <optional>
#include <string>

namespace qm {

class Platform;

struct LogoSource {
    std::wstring folder; // as InstallOemLogo takes it
    std::wstring fileName;
};

struct BrandingRequest {
    OemInfoRecord record;
    std::optional<LogoSource> logo;
};

// The logo's path as the branding file at brandingFile names it: a path with a
// drive or starting with "\" as it is, any other relative to the file's folder.
std::wstring LogoPathFor(const std::wstring& brandingFile, const std::wstring& logo);

// The request, or nullopt and a sentence that says what is wrong with it. A
// logo must be a bitmap that the picture browser would preview.
std::optional<BrandingRequest>
ReadBrandingRequest(Platform& platform, const std::wstring& brandingFile, std::wstring& problem);

} // namespace qm
