#include "branding_commands.h"

#include "get_system_folder.h"
#include "platform.h"

namespace qm {
namespace {

constexpr wchar_t kSystemPropertiesCommandLine[] =
    L"rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl";

void RemoveFromSystemFolder(Platform& platform, const wchar_t* name) {
    if (const auto folder = GetSystemFolderPath(platform)) {
        const auto access = platform.AccessSystemFolder();
        platform.RemoveFile(*folder + name);
    }
}

} // namespace

void ApplyChanges(Platform& platform, const OemInfoRecord& record) {
    if (const auto folder = GetSystemFolderPath(platform)) {
        WriteOemInfoFile(platform, *folder, record);
    }
}

void PreviewChanges(Platform& platform, const OemInfoRecord& record) {
    const auto folder = GetSystemFolderPath(platform);
    if (!folder) {
        // Without the system folder there is no known rundll32.exe to trust.
        return;
    }
    WriteOemInfoFile(platform, *folder, record);
    // The system folder's own rundll32.exe, never one found by searching the
    // program's or the current folder first; on 64-bit Windows the 64-bit one, so
    // that the System Properties that reads the files opens.
    const auto access = platform.AccessSystemFolder();
    platform.StartProcess(*folder + L"\\rundll32.exe", kSystemPropertiesCommandLine);
}

void RemoveOemFiles(Platform& platform) {
    RemoveFromSystemFolder(platform, L"\\oeminfo.ini");
    RemoveFromSystemFolder(platform, L"\\oemlogo.bmp");
}

} // namespace qm
