#pragma once
// The registry values from which Windows Vista and later show the branding:
// Control Panel > System up to Windows 8.1, Settings > System > About from
// Windows 10 on. Only the values this program writes are ever changed.

#include "command_report.h"
#include "oem_info_file.h"

#include <string>

namespace qm {

class Platform;

// Under HKEY_LOCAL_MACHINE, in the 64-bit view.
extern const wchar_t kOemInformationKeyPath[];

// Manufacturer, Model, SupportPhone and SupportURL from the record, each on one
// line; an empty field deletes its value. A HelpCustomized that hides the
// support details is set to 0. Every other value stays as it is.
void WriteOemInformationValues(Platform& platform, const OemInfoRecord& record,
                               CommandReport& report);
// Logo: the installed oemlogo.bmp's full path.
void WriteOemLogoValue(Platform& platform, const std::wstring& logoPath, CommandReport& report);
// Deletes exactly the values the two functions above write; the key stays.
void RemoveOemInformationValues(Platform& platform, CommandReport& report);

} // namespace qm
