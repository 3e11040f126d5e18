#include "branding_request.h"

#include "branding_file.h"
#include "platform.h"
#include "previewable_bitmap.h"
#include "step_lines.h"
#include "whole_file.h"

namespace qm {
namespace {

// The largest bitmap the preview takes, 24 million pixels of 32 bits, with room
// for its headers; a larger file is no logo.
constexpr std::size_t kMaxLogoFileSize = 128 * 1024 * 1024;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// Why the platform's last call failed, ready to follow a colon.
std::wstring Reason(Platform& platform, unsigned long code) {
    const std::wstring reason = FailureReason(code, code != 0 ? platform.ErrorText(code) : L"");
    return reason.empty() ? L"the system gave no reason" : reason;
}

// The whole file, or nullopt and why not (a phrase that follows the file's
// name).
std::optional<std::string> ReadWhole(Platform& platform, const std::wstring& path,
                                     std::size_t limit, std::wstring& problem) {
    std::string bytes;
    const WholeFileOutcome read = ReadWholeFile(platform, path, limit, bytes);
    switch (read.stop) {
    case WholeFileStop::None:
        return bytes;
    case WholeFileStop::Opening:
        problem = L"cannot be opened: " + Reason(platform, read.errorCode);
        break;
    case WholeFileStop::Reading:
        problem = L"cannot be read: " + Reason(platform, read.errorCode);
        break;
    case WholeFileStop::TooLarge:
        problem = L"is larger than " + std::to_wstring(limit / (1024 * 1024)) + L" MiB";
        break;
    }
    return std::nullopt;
}

// The folder and the name that InstallOemLogo joins with one "\" again.
LogoSource SplitLogoPath(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos) {
        return {path.substr(0, separator), path.substr(separator + 1)};
    }
    // "logo.bmp" in the current folder, or "D:logo.bmp" in drive D's.
    const bool hasDrive = path.size() >= 2 && path[1] == L':';
    return hasDrive ? LogoSource{path.substr(0, 2) + L".", path.substr(2)} : LogoSource{L".", path};
}

std::wstring LineOf(const BrandingFile& file) {
    return L" (line " + std::to_wstring(file.logoLine) + L")";
}

} // namespace

std::wstring LogoPathFor(const std::wstring& brandingFile, const std::wstring& logo) {
    const bool hasDrive = logo.size() >= 2 && logo[1] == L':';
    if (hasDrive || (!logo.empty() && IsSeparator(logo[0]))) {
        return logo;
    }
    const std::size_t separator = brandingFile.find_last_of(L"\\/");
    if (separator != std::wstring::npos) {
        return brandingFile.substr(0, separator + 1) + logo;
    }
    // A file named without a folder lies in the current folder, or in the
    // current folder of the drive it names ("D:brand.ini").
    if (brandingFile.size() >= 2 && brandingFile[1] == L':') {
        return brandingFile.substr(0, 2) + logo;
    }
    return logo;
}

std::optional<BrandingRequest>
ReadBrandingRequest(Platform& platform, const std::wstring& brandingFile, std::wstring& problem) {
    const std::optional<std::string> bytes =
        ReadWhole(platform, brandingFile, kMaxBrandingFileSize, problem);
    if (!bytes) {
        problem = L"the branding file " + brandingFile + L" " + problem;
        return std::nullopt;
    }
    BrandingFileFault fault;
    const std::optional<BrandingFile> file = ParseBrandingFile(*bytes, fault);
    if (!file) {
        problem = L"the branding file " + brandingFile + L", " + fault.message;
        return std::nullopt;
    }
    BrandingRequest request{file->record, std::nullopt};
    if (file->logo.empty()) {
        return request;
    }
    const std::wstring logo = LogoPathFor(brandingFile, file->logo);
    const std::wstring named = L"the logo " + logo + LineOf(*file) + L" ";
    const std::optional<std::string> picture = ReadWhole(platform, logo, kMaxLogoFileSize, problem);
    if (!picture) {
        problem = named + problem;
        return std::nullopt;
    }
    if (!bitmap::IsPreviewableBitmap(reinterpret_cast<const unsigned char*>(picture->data()),
                                     picture->size())) {
        problem = named + L"is not a bitmap that the picture browser can show";
        return std::nullopt;
    }
    request.logo = SplitLogoPath(logo);
    return request;
}

} // namespace qm
