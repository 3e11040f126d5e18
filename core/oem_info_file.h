#pragma once
// The OEM information file, oeminfo.ini, that System Properties reads.

#include <string>

namespace qm {

class Platform;

struct OemInfoRecord {
    std::wstring Manufacturer;
    std::wstring Model;
    std::wstring SupportName;
    std::wstring SupportEMail;
    std::wstring SupportPhone;
    std::wstring SupportFax;
    std::wstring SupportAddress1;
    std::wstring SupportAddress2;
    std::wstring SupportWebsite;
    std::wstring Quote; // wraps the value of every support line
};

// The twenty lines of the file, each ended by CR LF, in the ANSI code page.
std::string OemInfoFileBytes(const OemInfoRecord& record);

// Replaces systemFolder\oeminfo.ini with the record's twenty lines in one step.
// Returns whether it did; on failure the earlier file is left as it was.
bool WriteOemInfoFile(Platform& platform, const std::wstring& systemFolder,
                      const OemInfoRecord& record);

} // namespace qm
