#include "oem_info_file.h"

#include "ansi_text.h"
#include "file_replacement.h"
#include "platform.h"

#include <algorithm>

namespace qm {

// A line break inside a text would end its line early and start one of its own,
// which the file's readers take as another key or section. Each CR and LF becomes
// a blank: the words stay apart and every text keeps its length.
std::wstring OneLine(std::wstring text) {
    std::replace_if(
        text.begin(), text.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
    return text;
}

namespace {

// The labels' runs of blanks differ from line to line; System Properties shows
// them as they are, so they are kept exactly.
std::wstring SupportLine(const wchar_t* key, const std::wstring& quote, const wchar_t* label,
                         const std::wstring& value) {
    return key + quote + label + OneLine(value) + quote;
}

} // namespace

std::string OemInfoFileBytes(const OemInfoRecord& record) {
    const std::wstring q = OneLine(record.Quote);
    const std::wstring lines[] = {
        L"[General]",
        L"",
        L"Manufacturer = " + OneLine(record.Manufacturer),
        L"",
        L"Model = " + OneLine(record.Model),
        L"",
        L"[Support Information]",
        L"",
        SupportLine(L"Line1=", q, L"Support Name:          ", record.SupportName),
        L"",
        SupportLine(L"Line2=", q, L"Support E - Mail:        ", record.SupportEMail),
        L"",
        SupportLine(L"Line3=", q, L"Support Phone:         ", record.SupportPhone),
        L"",
        SupportLine(L"Line4=", q, L"Support Fax:             ", record.SupportFax),
        L"",
        SupportLine(L"Line5=", q, L"Support Address 1:   ", record.SupportAddress1),
        SupportLine(L"Line6=", q, L"Support Address 2:   ", record.SupportAddress2),
        L"",
        SupportLine(L"Line7=", q, L"Support Website:      ", record.SupportWebsite),
    };
    std::string bytes;
    for (const std::wstring& line : lines) {
        bytes += ToAnsi(line);
        bytes += "\r\n";
    }
    return bytes;
}

Outcome WriteOemInfoFile(Platform& platform, const std::wstring& systemFolder,
                         const OemInfoRecord& record) {
    const std::string bytes = OemInfoFileBytes(record);
    // The file that System Properties reads, also for this 32-bit program on
    // 64-bit Windows.
    const auto access = platform.AccessSystemFolder();
    return ReplaceFileWithBytes(platform, systemFolder + L"\\oeminfo.ini", bytes);
}

} // namespace qm
