#pragma once
// The picture browser's layout in twips: its place on the screen and its
// controls in Tab order.

#include "control_table.h"

#include <cstddef>

namespace qm::frmmain {

// None is IDOK or IDCANCEL: the window has no default and no cancel button.
enum ControlId : int {
    File1 = 1201,
    Dir1,
    Drive1,
    Command1,
    Command2,
    Command3,
    Command4,
    Label1,
    Text1,
    imgBrowser,
};

// The client area, placed at a fixed point of the screen.
inline constexpr ClientArea kClientArea{5235, 2415, 5445, 7140};

// How far the drive list drops down below its own height.
inline constexpr int kDriveListDropHeight = 2400;

// File1 first, as it has the focus at opening; those that never take the focus
// come last.
extern const ControlSpec kControls[];
extern const std::size_t kControlCount;

} // namespace qm::frmmain
