#pragma once
// What the about window says.

#include "version.h"

#include <string>

namespace qm::about {

inline constexpr wchar_t kDescription[] =
    L"Marquelle allows you to add a custom logo and support information to the properties tab "
    L"of \"my computer\" like major computer companies. Let all who use your systems know that "
    L"you are competitive. All information fields are optional. If you do not wish to include "
    L"your phone number, e-mail, or fax, etc., simply leave these fields blank.";

inline constexpr wchar_t kDisclaimer[] =
    L"Copyright \u00A9 2026 " QM_COMPANY L". All rights reserved. This program may not be "
    L"altered in any way. " QM_COMPANY L" is not responsible for any damage caused by misuse "
    L"of this program.";

// "About " and the title.
std::wstring AboutCaption();

// "Version 1.1.0": each number in plain decimal, the revision included.
std::wstring VersionLine(int major, int minor, int revision);

} // namespace qm::about
