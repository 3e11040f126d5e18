#pragma once
// Contents of program.cng that the program never writes: huge, binary, cut
// short, or saved in another encoding.

#include <optional>
#include <string>
#include <vector>

namespace qm::test {

struct HostileSettingFile {
    std::string what;
    std::string bytes;                    // empty with asFolder: a folder of that name
    bool asFolder;                        // program.cng is a folder
    std::optional<std::wstring> expected; // the path it must read as, where one is certain
};

std::vector<HostileSettingFile> HostileSettingFiles();

} // namespace qm::test
