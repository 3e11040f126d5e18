// The redirection guard with stand-ins for the two kernel32 functions, and the
// real ones in a 32-bit prefix, where (as on 32-bit Windows) nothing switches.

#include "win32/wow64_redirection.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace qm {
namespace {

PVOID const kEarlierState = reinterpret_cast<PVOID>(0x1234);

struct FakeKernel {
    bool disableSucceeds = true;
    int disables = 0;
    std::vector<PVOID> reverts;
};
FakeKernel fake;

BOOL WINAPI FakeDisable(PVOID* oldValue) {
    ++fake.disables;
    if (!fake.disableSucceeds) {
        return FALSE;
    }
    *oldValue = kEarlierState;
    return TRUE;
}

BOOL WINAPI FakeRevert(PVOID oldValue) {
    fake.reverts.push_back(oldValue);
    return TRUE;
}

struct GuardCase {
    const char* what;
    Wow64RedirectionFunctions functions;
    bool disableSucceeds;
    bool switchedOff;
    int disables;
    std::vector<PVOID> reverts; // after the guard is gone
};

const GuardCase kGuardCases[] = {
    {"neither function (32-bit XP)", {nullptr, nullptr}, true, false, 0, {}},
    {"no way back", {FakeDisable, nullptr}, true, false, 0, {}},
    {"no way off", {nullptr, FakeRevert}, true, false, 0, {}},
    {"not a 32-bit process on 64-bit Windows", {FakeDisable, FakeRevert}, false, false, 1, {}},
    {"switched off", {FakeDisable, FakeRevert}, true, true, 1, {kEarlierState}},
};

TEST(Wow64RedirectionOff, SwitchesOnlyWithBothFunctionsAndRestoresOnlyWhatItSwitched) {
    for (const GuardCase& c : kGuardCases) {
        fake = FakeKernel();
        fake.disableSucceeds = c.disableSucceeds;
        {
            Wow64RedirectionOff guard(c.functions);
            EXPECT_EQ(guard.SwitchedOff(), c.switchedOff) << c.what;
            EXPECT_TRUE(fake.reverts.empty()) << c.what;
        }
        EXPECT_EQ(fake.disables, c.disables) << c.what;
        EXPECT_EQ(fake.reverts, c.reverts) << c.what;
    }
}

TEST(Wow64RedirectionOff, ChangesNothingInA32BitPrefix) {
    BOOL wow64 = TRUE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    ASSERT_FALSE(wow64) << "this test belongs in the 32-bit prefix";

    const Wow64RedirectionFunctions kernel32 = Kernel32Wow64RedirectionFunctions();
    // Wine's kernel32 has both in every prefix: the lookup must find them.
    EXPECT_NE(kernel32.disable, nullptr);
    EXPECT_NE(kernel32.revert, nullptr);
    Wow64RedirectionOff guard;
    EXPECT_FALSE(guard.SwitchedOff());
}

} // namespace
} // namespace qm
