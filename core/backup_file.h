#pragma once
// The backup of a machine's branding as it was before this program first changed
// it, and the bytes of the file that holds it. Reading checks everything: a
// backup that is cut off, damaged or not ours is refused whole, never used in part.
//
// Layout, integers little-endian:
//   "QMBACKUP"                 8 bytes
//   format version             u32, 1
//   item count                 u32
//   each item:
//     kind                     u8: 1 a system-folder file, 2 an OEMInformation value
//     present                  u8: 0 it was not there, 1 it was
//     name length, name        u8, then that many ASCII bytes
//     registry type            u32 (0 for a file)
//     size, content            u32, then that many bytes
//   CRC-32 of all bytes above  u32

#include "platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm {

enum class BackedUpKind : std::uint8_t {
    File = 1,
    RegistryValue = 2,
};

struct BackedUpItem {
    BackedUpKind kind = BackedUpKind::File;
    std::wstring name;
    bool present = false;
    // A file's bytes (type 0), or a value's type and bytes.
    StoredValue content;
    bool operator==(const BackedUpItem& other) const {
        return kind == other.kind && name == other.name && present == other.present &&
               content == other.content;
    }
};

// Both files always; the registry's values all or none (none where Windows
// shows no registry branding, XP and earlier).
struct BrandingBackup {
    std::vector<BackedUpItem> items;
};

// The files and values the program changes, so the ones a backup holds.
extern const wchar_t* const kBackedUpFiles[2];
extern const wchar_t* const kBackedUpValues[6];

// The largest file and value kept; a larger one is not branding as Windows
// shows it, and the backup is not taken.
constexpr std::size_t kLargestBackedUpFile = 64u << 20;
constexpr std::size_t kLargestBackedUpValue = 1u << 20;
// No whole backup can be longer; a longer file is not one.
constexpr std::size_t kLargestBackupFile =
    2 * kLargestBackedUpFile + 6 * kLargestBackedUpValue + 4096;

std::string EncodeBackup(const BrandingBackup& backup);

// The backup in bytes, or nothing, with what is wrong in problem: a short text
// such as "it ends early" for a message.
std::optional<BrandingBackup> DecodeBackup(const std::string& bytes, std::wstring& problem);

} // namespace qm
