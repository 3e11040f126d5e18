#include "frm_main_drives.h"

#include "frm_main_folder_scan.h"
#include "frm_main_paths.h"

#include <cwctype>
#include <iterator>

namespace qm::frmmain {
namespace {

std::wstring VolumeLabel(const std::wstring& root) {
    // Asking a floppy drive for its label makes it spin; its letter is enough.
    if (GetDriveTypeW(root.c_str()) == DRIVE_REMOVABLE) {
        return {};
    }
    CriticalErrorsQuiet quiet;
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, static_cast<DWORD>(std::size(label)), nullptr,
                               nullptr, nullptr, nullptr, 0)) {
        return {};
    }
    return label;
}

std::wstring DriveText(wchar_t letter, const std::wstring& label) {
    std::wstring text{static_cast<wchar_t>(std::towlower(letter)), L':'};
    if (!label.empty()) {
        text += L" [" + label + L"]";
    }
    return text;
}

} // namespace

std::vector<DriveEntry> ListDrives() {
    std::vector<DriveEntry> drives;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (mask & (1u << i)) {
            const wchar_t letter = static_cast<wchar_t>(L'A' + i);
            drives.push_back({letter, DriveText(letter, VolumeLabel(DriveRoot(letter)))});
        }
    }
    return drives;
}

std::wstring DriveRoot(wchar_t letter) {
    return std::wstring{letter, L':', L'\\'};
}

std::wstring DriveCurrentFolder(wchar_t letter) {
    // "X:" alone names the drive's current folder, which the process keeps per drive.
    const std::wstring drive{letter, L':'};
    const DWORD size = GetFullPathNameW(drive.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size ? GetFullPathNameW(drive.c_str(), size, full.data(), nullptr) : 0;
    if (length == 0 || length >= size) {
        return DriveRoot(letter);
    }
    full.resize(length);
    return NormalizeFolder(full);
}

bool DriveReadiness::IsReady(wchar_t letter) {
    CriticalErrorsQuiet quiet;
    ULARGE_INTEGER available;
    return GetDiskFreeSpaceExW(DriveRoot(letter).c_str(), &available, nullptr, nullptr) != 0;
}

DriveReadiness& HostDriveReadiness() {
    static DriveReadiness readiness;
    return readiness;
}

} // namespace qm::frmmain
