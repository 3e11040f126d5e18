#include "ansi_text.h"
#include "graphics_program.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

#include <random>

namespace qm {
namespace {

// Every character a Windows file name can hold that the code page represents:
// blanks, commas, apostrophes, brackets, accented letters, but no double quote,
// no control character and none of <>|?*.
std::wstring PathAlphabet() {
    std::wstring alphabet;
    for (wchar_t c = 0x20; c < 0x7F; ++c) {
        if (std::wstring(L"\"<>|?*").find(c) == std::wstring::npos) {
            alphabet += c;
        }
    }
    alphabet += L"\u00E4\u00F6\u00FC\u00DF\u00C9\u00E9\u00F8\u00A0\u20AC\u2019\u0153";
    return alphabet;
}

// Paths as the Open dialog could report them: a drive or a share, then names.
std::wstring GeneratedPath(std::mt19937& random, const std::wstring& alphabet) {
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<std::size_t> length(0, 250);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::wstring path;
    switch (kind(random)) {
    case 0:
        return path; // Cancel
    case 1:
        path = L"C:\\";
        break;
    case 2:
        path = L"\\\\server\\share\\";
        break;
    default:
        break; // whatever the dialog made of it
    }
    const std::size_t n = length(random);
    for (std::size_t i = 0; i < n; ++i) {
        path += alphabet[pick(random)];
    }
    return path;
}

TEST(ProgramPathProperty, EverySavedPathReadsBackExactly) {
    const std::wstring alphabet = PathAlphabet();
    ASSERT_EQ(FromAnsi(ToAnsi(alphabet)), alphabet);
    test::TempFolder folder;
    test::TestPlatform platform;
    platform.executableFolder = folder.Path();
    std::mt19937 random(20240611);
    for (int i = 0; i < 1500; ++i) {
        const std::wstring path = GeneratedPath(random, alphabet);
        ASSERT_TRUE(SaveGraphicsProgramPath(platform, path));
        ASSERT_EQ(LoadGraphicsProgramPath(platform), path) << "case " << i;
    }
}

} // namespace
} // namespace qm
