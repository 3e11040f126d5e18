#pragma once
// The system's default 8-point dialog font, the one every layout is made for.

#include "handles.h"
#include "twips.h"

namespace qm {

OwnedFont CreateDialogFont(const TwipsScale& scale);

} // namespace qm
