#include "backup_file.h"

#include "crc32.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace qm {

const wchar_t* const kBackedUpFiles[2] = {L"oeminfo.ini", L"oemlogo.bmp"};
const wchar_t* const kBackedUpValues[6] = {L"Manufacturer", L"Model", L"SupportPhone",
                                           L"SupportURL",   L"Logo",  L"HelpCustomized"};

namespace {

constexpr char kMagic[8] = {'Q', 'M', 'B', 'A', 'C', 'K', 'U', 'P'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kItemsAtMost = std::size(kBackedUpFiles) + std::size(kBackedUpValues);

void PutU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

// Reads from the front of the bytes; any read past their end makes it fail for good.
class Reader {
public:
    Reader(const char* data, std::size_t size) : data_(data), left_(size) {}

    bool Bytes(std::size_t count, std::string& out) {
        if (!ok_ || count > left_) {
            ok_ = false;
            return false;
        }
        out.assign(data_, count);
        data_ += count;
        left_ -= count;
        return true;
    }
    std::uint8_t U8() {
        std::string byte;
        return Bytes(1, byte) ? static_cast<std::uint8_t>(byte[0]) : 0;
    }
    std::uint32_t U32() {
        std::string bytes;
        if (!Bytes(4, bytes)) {
            return 0;
        }
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) {
            value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        }
        return value;
    }
    bool Ok() const { return ok_; }
    std::size_t Left() const { return left_; }

private:
    const char* data_;
    std::size_t left_;
    bool ok_ = true;
};

bool IsOneOf(const std::wstring& name, const wchar_t* const* names, std::size_t count) {
    return std::any_of(names, names + count, [&](const wchar_t* known) { return name == known; });
}

bool Has(const BrandingBackup& backup, BackedUpKind kind, const std::wstring& name) {
    return std::any_of(backup.items.begin(), backup.items.end(), [&](const BackedUpItem& item) {
        return item.kind == kind && item.name == name;
    });
}

// One item, checked against what this program ever writes.
bool ReadItem(Reader& reader, BackedUpItem& item, std::wstring& problem) {
    const std::uint8_t kind = reader.U8();
    const std::uint8_t present = reader.U8();
    std::string name;
    reader.Bytes(reader.U8(), name);
    const std::uint32_t type = reader.U32();
    const std::uint32_t size = reader.U32();
    if (!reader.Ok()) {
        problem = L"it ends early";
        return false;
    }
    item.name.assign(name.begin(), name.end());
    if (kind == static_cast<std::uint8_t>(BackedUpKind::File) &&
        IsOneOf(item.name, kBackedUpFiles, std::size(kBackedUpFiles)) && type == 0 &&
        size <= kLargestBackedUpFile) {
        item.kind = BackedUpKind::File;
    } else if (kind == static_cast<std::uint8_t>(BackedUpKind::RegistryValue) &&
               IsOneOf(item.name, kBackedUpValues, std::size(kBackedUpValues)) &&
               size <= kLargestBackedUpValue) {
        item.kind = BackedUpKind::RegistryValue;
    } else {
        problem = L"it holds an item this program never backs up";
        return false;
    }
    if (present > 1 || (present == 0 && (type != 0 || size != 0))) {
        problem = L"it says both that " + item.name + L" was there and that it was not";
        return false;
    }
    item.present = present == 1;
    item.content.type = type;
    if (!reader.Bytes(size, item.content.data)) {
        problem = L"it ends early";
        return false;
    }
    return true;
}

} // namespace

std::string EncodeBackup(const BrandingBackup& backup) {
    std::string out(kMagic, sizeof kMagic);
    PutU32(out, kFormatVersion);
    PutU32(out, static_cast<std::uint32_t>(backup.items.size()));
    for (const BackedUpItem& item : backup.items) {
        out.push_back(static_cast<char>(item.kind));
        out.push_back(item.present ? 1 : 0);
        out.push_back(static_cast<char>(item.name.size()));
        for (wchar_t c : item.name) {
            out.push_back(static_cast<char>(c));
        }
        PutU32(out, item.content.type);
        PutU32(out, static_cast<std::uint32_t>(item.content.data.size()));
        out += item.content.data;
    }
    PutU32(out, Crc32(out.data(), out.size()));
    return out;
}

std::optional<BrandingBackup> DecodeBackup(const std::string& bytes, std::wstring& problem) {
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        problem = L"it is not a branding backup of this program";
        return std::nullopt;
    }
    if (bytes.size() > kLargestBackupFile) {
        problem = L"it is far larger than any backup";
        return std::nullopt;
    }
    Reader reader(bytes.data() + sizeof kMagic, bytes.size() - sizeof kMagic);
    const std::uint32_t version = reader.U32();
    if (reader.Ok() && version != kFormatVersion) {
        problem = L"it was made in format " + std::to_wstring(version) +
                  L", which this version of the program cannot read";
        return std::nullopt;
    }
    // The check sum first: a file cut off or changed anywhere stops here.
    if (bytes.size() < sizeof kMagic + 12) {
        problem = L"it ends early";
        return std::nullopt;
    }
    Reader sum(bytes.data() + bytes.size() - 4, 4);
    if (Crc32(bytes.data(), bytes.size() - 4) != sum.U32()) {
        problem = L"it is damaged or cut off (its check sum does not match)";
        return std::nullopt;
    }
    Reader body(bytes.data() + sizeof kMagic + 4, bytes.size() - sizeof kMagic - 8);
    const std::uint32_t count = body.U32();
    if (count > kItemsAtMost) {
        problem = L"it holds more items than any backup";
        return std::nullopt;
    }
    BrandingBackup backup;
    for (std::uint32_t i = 0; i < count; ++i) {
        BackedUpItem item;
        if (!ReadItem(body, item, problem)) {
            return std::nullopt;
        }
        if (Has(backup, item.kind, item.name)) {
            problem = L"it holds " + item.name + L" twice";
            return std::nullopt;
        }
        backup.items.push_back(std::move(item));
    }
    if (body.Left() != 0) {
        problem = L"bytes follow its last item";
        return std::nullopt;
    }
    for (const wchar_t* file : kBackedUpFiles) {
        if (!Has(backup, BackedUpKind::File, file)) {
            problem = L"it lacks " + std::wstring(file);
            return std::nullopt;
        }
    }
    const std::size_t values = backup.items.size() - std::size(kBackedUpFiles);
    if (values != 0 && values != std::size(kBackedUpValues)) {
        problem = L"it holds some of the registry's values but not all";
        return std::nullopt;
    }
    return backup;
}

} // namespace qm
