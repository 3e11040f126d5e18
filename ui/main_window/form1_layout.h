#pragma once
// Form1's layout in twips: the window's place and size, its controls in Tab order,
// and the tool tips.

#include "control_table.h"

#include <cstddef>

namespace qm::form1 {

// The client area, placed at a fixed point of the screen.
inline constexpr ClientArea kClientArea{5160, 2685, 5520, 6840};

// Every control, in Tab order; those that never take the focus come last.
extern const ControlSpec kControls[];
extern const std::size_t kControlCount;

struct ToolTipSpec {
    int id;
    const wchar_t* text;
};
extern const ToolTipSpec kToolTips[];
extern const std::size_t kToolTipCount;

} // namespace qm::form1
