// Feeds arbitrary bytes to the branding file reader: it must never crash or read
// out of bounds (the sanitizers watch), and what it accepts must make sense.

#include "branding_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The file's texts, each quoted, written again as UTF-16 LE with its mark.
std::string Rewritten(const qm::BrandingFile& file) {
    const qm::OemInfoRecord& r = file.record;
    const std::wstring text =
        L"[Branding]\r\nManufacturer=\"" + r.Manufacturer + L"\"\r\nModel=\"" + r.Model +
        L"\"\r\nSupportName=\"" + r.SupportName + L"\"\r\nSupportEMail=\"" + r.SupportEMail +
        L"\"\r\nSupportPhone=\"" + r.SupportPhone + L"\"\r\nSupportFax=\"" + r.SupportFax +
        L"\"\r\nSupportAddress1=\"" + r.SupportAddress1 + L"\"\r\nSupportAddress2=\"" +
        r.SupportAddress2 + L"\"\r\nSupportWebsite=\"" + r.SupportWebsite + L"\"\r\nLogo=\"" +
        file.logo + L"\"\r\n";
    std::string bytes = "\xFF\xFE";
    const auto unit = [&](char32_t u) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>((u >> 8) & 0xFF));
    };
    for (wchar_t c : text) {
        const auto code = static_cast<char32_t>(c);
        if (code > 0xFFFF) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
    return bytes;
}

bool OnOneLine(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c == L'\r' || c == L'\n' || c == L'\0') {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    qm::BrandingFileFault fault;
    const std::optional<qm::BrandingFile> file = qm::ParseBrandingFile(bytes, fault);
    if (!file) {
        // Every refusal says why, and never names a line the file does not have.
        Require(!fault.message.empty());
        Require(fault.line <= size + 1);
        return 0;
    }
    const qm::OemInfoRecord& r = file->record;
    Require(r.Quote == L"\"");
    // A text can never add a line to oeminfo.ini.
    for (const std::wstring* text :
         {&r.Manufacturer, &r.Model, &r.SupportName, &r.SupportEMail, &r.SupportPhone,
          &r.SupportFax, &r.SupportAddress1, &r.SupportAddress2, &r.SupportWebsite, &file->logo}) {
        Require(OnOneLine(*text));
    }

    // What the reader accepts, written out again, reads back the same.
    qm::BrandingFileFault again;
    const std::optional<qm::BrandingFile> reread = qm::ParseBrandingFile(Rewritten(*file), again);
    Require(reread.has_value());
    const qm::OemInfoRecord& s = reread->record;
    Require(s.Manufacturer == r.Manufacturer && s.Model == r.Model &&
            s.SupportName == r.SupportName && s.SupportEMail == r.SupportEMail &&
            s.SupportPhone == r.SupportPhone && s.SupportFax == r.SupportFax &&
            s.SupportAddress1 == r.SupportAddress1 && s.SupportAddress2 == r.SupportAddress2 &&
            s.SupportWebsite == r.SupportWebsite && reread->logo == file->logo);
    return 0;
}
