// A screen too small for the fixed place: the window moves just far enough in.

#include "frm_about_placement.h"

#include <gtest/gtest.h>

namespace qm::about {
namespace {

TEST(AboutPlacement, MovesOnlyAsFarAsTheWorkAreaNeeds) {
    struct Case {
        const char* name;
        RECT window;
        RECT area;
        RECT expected;
    };
    const RECT screen{0, 0, 800, 600};
    const Case cases[] = {
        {"fits: stays", {344, 159, 727, 420}, screen, {344, 159, 727, 420}},
        {"touches the edges: stays", {0, 0, 800, 600}, screen, {0, 0, 800, 600}},
        {"too far right and down", {344, 159, 727, 420}, {0, 0, 640, 400}, {257, 139, 640, 400}},
        {"work area beside a taskbar on the left",
         {10, 10, 100, 100},
         {60, 0, 800, 600},
         {60, 10, 150, 100}},
        {"larger than the area: top-left corner wins",
         {344, 159, 727, 420},
         {0, 0, 320, 200},
         {0, 0, 383, 261}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RECT moved = MovedWithin(c.window, c.area);
        EXPECT_EQ(moved.left, c.expected.left);
        EXPECT_EQ(moved.top, c.expected.top);
        EXPECT_EQ(moved.right, c.expected.right);
        EXPECT_EQ(moved.bottom, c.expected.bottom);
    }
}

} // namespace
} // namespace qm::about
