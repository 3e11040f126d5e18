// The application manifest embedded in the program file: present where Windows looks for
// it, well-formed, and in the forms that Windows XP SP2 and SP3 accept.

#include "xml_reader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string EmbeddedManifest() {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    if (!found)
        return {};
    auto data = static_cast<const char*>(LockResource(LoadResource(self, found)));
    return std::string(data, SizeofResource(self, found));
}

// The one element at `path`, or a failed assertion.
const XmlElement& Only(const XmlDocument& document, const char* path) {
    auto found = FindElements(document, path);
    if (found.size() != 1) {
        ADD_FAILURE() << path << " appears " << found.size() << " times";
        static const XmlElement none;
        return none;
    }
    return *found[0];
}

std::string Attribute(const XmlElement& element, const char* name) {
    auto it = element.attributes.find(name);
    return it == element.attributes.end() ? "(missing)" : it->second;
}

class Manifest : public testing::Test {
protected:
    void SetUp() override {
        text_ = EmbeddedManifest();
        ASSERT_FALSE(text_.empty()) << "no RT_MANIFEST resource 1";
        document_ = ReadXml(text_);
        ASSERT_TRUE(document_.well_formed) << document_.error;
    }

    std::string text_;
    XmlDocument document_;
};

TEST_F(Manifest, IsUtf8WithDeclarationAndIdentifiesTheProgram) {
    EXPECT_EQ(text_.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"", 0), 0u);
    const auto& assembly = Only(document_, "assembly");
    EXPECT_EQ(Attribute(assembly, "xmlns"), "urn:schemas-microsoft-com:asm.v1");
    EXPECT_EQ(Attribute(assembly, "manifestVersion"), "1.0");
    const auto& identity = Only(document_, "assembly/assemblyIdentity");
    EXPECT_EQ(Attribute(identity, "type"), "win32");
    EXPECT_EQ(Attribute(identity, "version"), "1.1.0.0");
    EXPECT_EQ(Attribute(identity, "processorArchitecture"), "x86");
}

TEST_F(Manifest, AsksForCommonControls6) {
    const auto& controls =
        Only(document_, "assembly/dependency/dependentAssembly/assemblyIdentity");
    EXPECT_EQ(Attribute(controls, "type"), "win32");
    EXPECT_EQ(Attribute(controls, "name"), "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(Attribute(controls, "version"), "6.0.0.0");
    EXPECT_EQ(Attribute(controls, "publicKeyToken"), "6595b64144ccf1df");
    EXPECT_EQ(Attribute(controls, "language"), "*");
}

TEST_F(Manifest, RequiresAdministratorInTheAsmV3TrustInfo) {
    const auto& trust = Only(document_, "assembly/trustInfo");
    EXPECT_EQ(Attribute(trust, "xmlns"), "urn:schemas-microsoft-com:asm.v3");
    const auto& level =
        Only(document_, "assembly/trustInfo/security/requestedPrivileges/requestedExecutionLevel");
    EXPECT_EQ(Attribute(level, "level"), "requireAdministrator");
    EXPECT_EQ(Attribute(level, "uiAccess"), "false");
}

TEST_F(Manifest, DeclaresDpiAwareness) {
    const auto& application = Only(document_, "assembly/application");
    EXPECT_EQ(Attribute(application, "xmlns"), "urn:schemas-microsoft-com:asm.v3");
    const auto& dpi = Only(document_, "assembly/application/windowsSettings/dpiAware");
    EXPECT_EQ(Attribute(dpi, "xmlns"), "http://schemas.microsoft.com/SMI/2005/WindowsSettings");
    EXPECT_EQ(dpi.text, "true");
}

TEST_F(Manifest, NoElementDeclaresTwoNamespaces) {
    // Windows XP SP2 restarts when a manifest element carries two namespace declarations.
    for (const auto& element : document_.elements) {
        int declarations = 0;
        for (const auto& [name, value] : element.attributes)
            declarations += name == "xmlns" || name.rfind("xmlns:", 0) == 0;
        EXPECT_LE(declarations, 1) << element.path;
    }
}

} // namespace
