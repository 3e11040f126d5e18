#pragma once
// The about window's layout in twips: its place on the screen, its controls and
// the etched rule between the description and the notice.

#include "control_table.h"

#include <windows.h>

#include <cstddef>

namespace qm::about {

// cmdOK is IDOK, so that the keyboard's Enter reaches it as the default button.
enum ControlId : int {
    kPicIcon = 1101,
    kLblTitle,
    kLblVersion,
    kLblDescription,
    kLblDisclaimer,
};

// The client area's place on the screen.
inline constexpr ClientArea kClientArea{5160, 2385, 5655, 3555};

// In Tab order: cmdOK, then picIcon; the labels never take the focus.
extern const ControlSpec kControls[];
extern const std::size_t kControlCount;

// One horizontal line of the rule: from left to right (twips) at top (twips), so
// many pixels thick, growing downwards.
struct RuleLine {
    int left;
    int right;
    int top;
    int pixelWidth;
    COLORREF colour;
};

// Line1: index 1 (grey) above index 0 (white), one pixel apart.
inline constexpr RuleLine kRuleShadow{90, 5654, 2445, 1, RGB(128, 128, 128)};
inline constexpr RuleLine kRuleHighlight{105, 5654, 2460, 2, RGB(255, 255, 255)};

} // namespace qm::about
