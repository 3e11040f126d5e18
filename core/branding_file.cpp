#include "branding_file.h"

#include <array>

namespace qm {
namespace {

struct KeyBinding {
    const wchar_t* name;
    std::wstring OemInfoRecord::*field; // nullptr for the logo
};

constexpr std::array<KeyBinding, 10> kKeys = {{
    {L"Manufacturer", &OemInfoRecord::Manufacturer},
    {L"Model", &OemInfoRecord::Model},
    {L"SupportName", &OemInfoRecord::SupportName},
    {L"SupportEMail", &OemInfoRecord::SupportEMail},
    {L"SupportPhone", &OemInfoRecord::SupportPhone},
    {L"SupportFax", &OemInfoRecord::SupportFax},
    {L"SupportAddress1", &OemInfoRecord::SupportAddress1},
    {L"SupportAddress2", &OemInfoRecord::SupportAddress2},
    {L"SupportWebsite", &OemInfoRecord::SupportWebsite},
    {L"Logo", nullptr},
}};

constexpr wchar_t kSection[] = L"Branding";
constexpr wchar_t kBlanks[] = L" \t";
// A key or section as long as the whole file would drown the message.
constexpr std::size_t kLongestNameShown = 64;

std::wstring Trim(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Key and section names compare as Windows' own INI files do, ignoring case.
bool SameName(const std::wstring& a, const wchar_t* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return i == a.size() && b[i] == L'\0';
}

std::wstring Shown(const std::wstring& name) {
    if (name.size() <= kLongestNameShown) {
        return L"\"" + name + L"\"";
    }
    return L"\"" + name.substr(0, kLongestNameShown) + L"...\"";
}

std::wstring KeyList() {
    std::wstring list;
    for (const KeyBinding& key : kKeys) {
        list += list.empty() ? L"" : L", ";
        list += key.name;
    }
    return list;
}

std::wstring Hex(unsigned value) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text;
    for (int shift = 12; shift >= 0; shift -= 4) {
        text.push_back(kDigits[(value >> shift) & 0xF]);
    }
    return text;
}

class Parser {
public:
    explicit Parser(BrandingFileFault& fault) : fault_(fault) {}

    bool Parse(const std::wstring& text, BrandingFile& file) {
        std::size_t start = 0;
        std::size_t number = 1;
        while (start <= text.size()) {
            const std::size_t end = text.find(L'\n', start);
            std::wstring line =
                text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
            if (!line.empty() && line.back() == L'\r') {
                line.pop_back();
            }
            if (!ParseLine(number, line, file)) {
                return false;
            }
            if (end == std::wstring::npos) {
                break;
            }
            start = end + 1;
            ++number;
        }
        if (sectionLine_ == 0) {
            return Fail(0, {}, L"has no [Branding] section");
        }
        return true;
    }

private:
    bool Fail(std::size_t line, std::wstring key, const std::wstring& what) {
        fault_.line = line;
        fault_.message = line == 0 ? what : L"line " + std::to_wstring(line) + L": " + what;
        fault_.key = std::move(key);
        return false;
    }

    bool ParseLine(std::size_t number, const std::wstring& line, BrandingFile& file) {
        for (wchar_t c : line) {
            if (c == L'\r') {
                return Fail(number, {},
                            L"a carriage return (CR) that does not end the line; lines end "
                            L"with CR LF or LF");
            }
            if ((c < 0x20 && c != L'\t') || c == 0x7F) {
                return Fail(number, {},
                            L"the control character U+" + Hex(static_cast<unsigned>(c)) +
                                L": this is not a text file");
            }
        }
        const std::wstring trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == L';' || trimmed[0] == L'#') {
            return true;
        }
        if (trimmed[0] == L'[') {
            return ParseSection(number, trimmed);
        }
        return ParseKey(number, trimmed, file);
    }

    bool ParseSection(std::size_t number, const std::wstring& trimmed) {
        if (trimmed.back() != L']') {
            return Fail(number, trimmed,
                        L"the section header " + Shown(trimmed) + L" has no closing \"]\"");
        }
        const std::wstring name = Trim(trimmed.substr(1, trimmed.size() - 2));
        if (!SameName(name, kSection)) {
            return Fail(number, name,
                        L"unknown section " + Shown(name) +
                            L"; the file has one section, [Branding]");
        }
        if (sectionLine_ != 0) {
            return Fail(number, name,
                        L"the section " + Shown(name) + L" is given a second time (first on line " +
                            std::to_wstring(sectionLine_) + L")");
        }
        sectionLine_ = number;
        return true;
    }

    bool ParseKey(std::size_t number, const std::wstring& trimmed, BrandingFile& file) {
        const std::size_t equals = trimmed.find(L'=');
        if (equals == std::wstring::npos) {
            return Fail(number, {},
                        L"expected Key=Value, a [Branding] header, a comment or nothing");
        }
        const std::wstring key = Trim(trimmed.substr(0, equals));
        if (key.empty()) {
            return Fail(number, {}, L"a value without a key before its \"=\"");
        }
        if (sectionLine_ == 0) {
            return Fail(number, key, L"the key " + Shown(key) + L" comes before [Branding]");
        }
        std::size_t index = 0;
        while (index < kKeys.size() && !SameName(key, kKeys[index].name)) {
            ++index;
        }
        if (index == kKeys.size()) {
            return Fail(number, key, L"unknown key " + Shown(key) + L"; the keys are " + KeyList());
        }
        if (keyLines_[index] != 0) {
            return Fail(number, key,
                        L"the key " + Shown(key) + L" is given a second time (first on line " +
                            std::to_wstring(keyLines_[index]) + L")");
        }
        keyLines_[index] = number;
        std::wstring value = Trim(trimmed.substr(equals + 1));
        if (!Unquote(value)) {
            return Fail(number, key,
                        L"the value of " + Shown(key) +
                            L" has a double quote at one end only; a value that begins or "
                            L"ends with one is written between two more");
        }
        if (kKeys[index].field) {
            file.record.*kKeys[index].field = std::move(value);
        } else {
            file.logo = std::move(value);
            file.logoLine = number;
        }
        return true;
    }

    // A value may be written between double quotes, which keep its blanks at
    // either end; a quote at one end only is a mistake, never part of the value.
    static bool Unquote(std::wstring& value) {
        const bool opens = !value.empty() && value.front() == L'"';
        const bool closes = value.size() >= 2 && value.back() == L'"';
        if (opens != closes || (value.size() == 1 && value[0] == L'"')) {
            return false;
        }
        if (opens) {
            value = value.substr(1, value.size() - 2);
        }
        return true;
    }

    BrandingFileFault& fault_;
    std::size_t sectionLine_ = 0;
    std::array<std::size_t, kKeys.size()> keyLines_{};
};

} // namespace

std::optional<BrandingFile> ParseBrandingFile(const std::string& bytes, BrandingFileFault& fault) {
    if (bytes.size() > kMaxBrandingFileSize) {
        fault = {0, {}, L"is larger than 1 MiB, more than any branding file needs"};
        return std::nullopt;
    }
    TextDecodingFault decodingFault;
    std::optional<DecodedText> decoded = DecodeText(bytes, decodingFault);
    if (!decoded) {
        fault = {decodingFault.line,
                 {},
                 L"line " + std::to_wstring(decodingFault.line) + L": the file " +
                     decodingFault.reason};
        return std::nullopt;
    }
    BrandingFile file;
    file.record.Quote = L"\"";
    file.encoding = decoded->encoding;
    if (!Parser(fault).Parse(decoded->text, file)) {
        return std::nullopt;
    }
    return file;
}

} // namespace qm
