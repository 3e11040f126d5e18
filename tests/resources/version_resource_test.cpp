// The version information of the program file, read back through the version API from
// this test program, which carries the same resources.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class VersionInfo : public testing::Test {
protected:
    void SetUp() override {
        wchar_t path[MAX_PATH] = {};
        ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeW(path, &ignored);
        ASSERT_GT(size, 0u);
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block_.data()));
    }

    template <typename T> const T* Query(const wchar_t* sub_block, UINT* length = nullptr) {
        void* value = nullptr;
        UINT value_length = 0;
        if (!VerQueryValueW(block_.data(), sub_block, &value, &value_length))
            return nullptr;
        if (length)
            *length = value_length;
        return static_cast<const T*>(value);
    }

    std::wstring String(const std::wstring& name) {
        auto text = Query<wchar_t>((L"\\StringFileInfo\\040904B0\\" + name).c_str());
        return text ? text : L"(missing)";
    }

    std::vector<BYTE> block_;
};

TEST_F(VersionInfo, FileAndProductVersionAre1_1_0_0) {
    auto fixed = Query<VS_FIXEDFILEINFO>(L"\\");
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "no debug or pre-release flag";
}

TEST_F(VersionInfo, TranslationIsEnglishUnitedStatesInUnicode) {
    UINT length = 0;
    auto translation = Query<WORD>(L"\\VarFileInfo\\Translation", &length);
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 4u) << "exactly one language";
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);
}

TEST_F(VersionInfo, TextsNameTheProductAndItsVersion) {
    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"CompanyName", L"Quorvane"},
        {L"FileVersion", L"1.01"},
        {L"ProductVersion", L"1.01"},
        {L"ProductName", L"Quorvane Marquelle XP"},
        {L"InternalName", L"Quorvane Marquelle XP"},
        {L"OriginalFilename", L"Quorvane Marquelle XP.exe"},
    };
    for (const auto& [name, text] : expected)
        EXPECT_EQ(String(name), text) << name;
    for (const wchar_t* name : {L"FileDescription", L"LegalCopyright"}) {
        std::wstring text = String(name);
        EXPECT_TRUE(!text.empty() && text != L"(missing)") << name;
    }
}

} // namespace
