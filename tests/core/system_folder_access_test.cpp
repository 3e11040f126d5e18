// Which steps run with the system folder access held: on 64-bit Windows that is
// what decides whether a file lands where System Properties reads it, and whether
// the user's own files are still seen as the picture browser showed them.

#include "ansi_text.h"
#include "branding_commands.h"
#include "graphics_program.h"
#include "logo_installation.h"
#include "temp_folder.h"
#include "test_platform.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::TempFolder;
using test::TestPlatform;

struct World {
    World() {
        platform.systemFolder = ToAnsi(system.Path());
        platform.executableFolder = program.Path();
        test::WriteBytes(pictures.Fs("logo.bmp"), "BM logo");
    }
    TempFolder system;
    TempFolder pictures;
    TempFolder program;
    TestPlatform platform;
};

// "kind name inside|outside", the name without its folder.
std::vector<std::string> Describe(const std::vector<test::PlatformStep>& steps) {
    std::vector<std::string> described;
    for (const test::PlatformStep& step : steps) {
        const std::wstring name = step.path.substr(step.path.find_last_of(L'\\') + 1);
        described.push_back(step.kind + " " + ToAnsi(name) +
                            (step.withSystemFolderAccess ? " inside" : " outside"));
    }
    return described;
}

OemInfoRecord Record() {
    OemInfoRecord record;
    record.Manufacturer = L"Acme";
    record.Quote = L"\"";
    return record;
}

struct AccessCase {
    const char* what;
    void (*run)(World&);
    std::vector<std::string> steps;
};

const AccessCase kCases[] = {
    {"ApplyChanges",
     [](World& w) { ApplyChanges(w.platform, Record()); },
     {"create oeminfo.ini.partial inside", "move oeminfo.ini inside"}},
    {"ApplyChanges whose move fails",
     [](World& w) {
         w.platform.failMove = true;
         ApplyChanges(w.platform, Record());
     },
     {"create oeminfo.ini.partial inside", "move oeminfo.ini inside",
      "remove oeminfo.ini.partial inside"}},
    {"PreviewChanges",
     [](World& w) { PreviewChanges(w.platform, Record()); },
     {"create oeminfo.ini.partial inside", "move oeminfo.ini inside", "start rundll32.exe inside"}},
    {"RemoveOemFiles",
     [](World& w) { RemoveOemFiles(w.platform); },
     {"remove oeminfo.ini inside", "remove oemlogo.bmp inside"}},
    {"InstallOemLogo",
     [](World& w) { InstallOemLogo(w.platform, w.pictures.Path(), L"logo.bmp"); },
     {"open logo.bmp outside", "create oemlogo.bmp.partial inside", "move oemlogo.bmp inside"}},
    {"InstallOemLogo whose move fails",
     [](World& w) {
         w.platform.failMove = true;
         InstallOemLogo(w.platform, w.pictures.Path(), L"logo.bmp");
     },
     {"open logo.bmp outside", "create oemlogo.bmp.partial inside", "move oemlogo.bmp inside",
      "remove oemlogo.bmp.partial inside"}},
    {"InstallOemLogo of a missing file",
     [](World& w) { InstallOemLogo(w.platform, w.pictures.Path(), L"gone.bmp"); },
     {"open gone.bmp outside"}},
    // program.cng lies beside the executable, and the graphics program is
    // whatever file the user chose, as any program of this build sees it.
    {"LaunchGraphicsProgram",
     [](World& w) {
         test::FakeCurrentPath current(w.pictures.Path(L"paint.exe"));
         LaunchGraphicsProgram(w.platform, current);
     },
     {"create program.cng.partial outside", "move program.cng outside", "start paint.exe outside"}},
    {"LoadGraphicsProgramPath",
     [](World& w) { LoadGraphicsProgramPath(w.platform); },
     {"open program.cng outside"}},
};

TEST(SystemFolderAccess, IsHeldForTheSystemFolderSideOfEachCommandOnly) {
    for (const AccessCase& c : kCases) {
        World world;
        c.run(world);
        EXPECT_EQ(Describe(world.platform.steps), c.steps) << c.what;
        EXPECT_EQ(world.platform.systemFolderAccessesHeld, 0) << c.what;
    }
}

} // namespace
} // namespace qm
