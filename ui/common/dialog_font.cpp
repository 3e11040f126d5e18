#include "dialog_font.h"

namespace qm {

OwnedFont CreateDialogFont(const TwipsScale& scale) {
    // "MS Shell Dlg" is the logical name the system maps to its dialog face.
    LOGFONTW font{};
    font.lfHeight = -MulDiv(8, scale.Dpi(), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    return OwnedFont(CreateFontIndirectW(&font));
}

} // namespace qm
