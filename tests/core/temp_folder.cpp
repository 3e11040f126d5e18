#include "temp_folder.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include "posix/posix_platform.h"
#endif

namespace fs = std::filesystem;

namespace qm::test {

TempFolder::TempFolder() {
    std::random_device device;
    std::mt19937 random(
        device() ^
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("qm-core-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            folder_ = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Windows will not delete read-only files.
    for (const auto& entry : fs::recursive_directory_iterator(folder_, ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(folder_, ignored);
}

std::wstring TempFolder::Path() const {
    return ProgramPath(folder_);
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring ProgramPath(const fs::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    return FromPosixPath(path.string());
#endif
}

std::optional<std::string> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

void SetReadOnly(const fs::path& path, bool readOnly) {
    const fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(path, write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

std::string PatternBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        // The first 256 bytes walk through every value once.
        bytes[i] = static_cast<char>(i < 256 ? i : random() & 0xFF);
    }
    return bytes;
}

char SubstituteCharacter() {
#ifdef _WIN32
    CPINFO info = {};
    GetCPInfo(CP_ACP, &info);
    return static_cast<char>(info.DefaultChar[0]);
#else
    return '?';
#endif
}

} // namespace qm::test
