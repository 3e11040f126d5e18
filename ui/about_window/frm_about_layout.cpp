#include "frm_about_layout.h"

#include "frm_about_texts.h"

#include <iterator>

namespace qm::about {

namespace {

constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;

} // namespace

// The titles are filled in by the set-up, once the window exists.
const ControlSpec kControls[] = {
    {IDOK, L"Button", L"OK", 4245, 2880, 1260, 345, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
    // Sized to its picture and border once the picture is in.
    {kPicIcon, L"Static", L"", 120, 240, 780, 780, WS_VISIBLE | WS_TABSTOP | SS_BITMAP,
     WS_EX_CLIENTEDGE},
    {kLblTitle, L"Static", L"", 1050, 240, 4245, 480, kLabel},
    {kLblVersion, L"Static", L"", 1050, 780, 4245, 225, kLabel},
    {kLblDescription, L"Static", kDescription, 1080, 1125, 4245, 1170, kLabel},
    {kLblDisclaimer, L"Static", kDisclaimer, 255, 2625, 3870, 825, kLabel},
};

const std::size_t kControlCount = std::size(kControls);

} // namespace qm::about
