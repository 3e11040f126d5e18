#pragma once
// The OEM information file, oeminfo.ini, that System Properties reads.

#include "platform.h"

#include <string>

namespace qm {

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
// On failure the earlier file is left as it was.
Outcome WriteOemInfoFile(Platform& platform, const std::wstring& systemFolder,
                         const OemInfoRecord& record);

// The text with each CR and LF made a blank, so that it stays on one line.
std::wstring OneLine(std::wstring text);

} // namespace qm
