#pragma once
// A fresh, empty folder for one test, removed with everything in it afterwards,
// and plain file helpers that do not go through the code under test.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qm::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Fs() const { return folder_; }
    std::filesystem::path Fs(const std::string& name) const { return folder_ / name; }
    // The folder as the program names it, "\" between names.
    std::wstring Path() const;
    std::wstring Path(const std::wstring& name) const { return Path() + L"\\" + name; }
    // The names of everything in the folder, sorted.
    std::vector<std::string> Names() const;

private:
    std::filesystem::path folder_;
};

// The program's form of a real path.
std::wstring ProgramPath(const std::filesystem::path& path);

std::optional<std::string> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
void SetReadOnly(const std::filesystem::path& path, bool readOnly);

// Bytes that are the same for the same seed, every value from 0 to 255 included.
std::string PatternBytes(std::size_t size, unsigned seed);

// The character the ANSI conversion puts for one it cannot represent.
char SubstituteCharacter();

} // namespace qm::test
