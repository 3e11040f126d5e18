#pragma once
// Which value box fills which field of the OEM information record.

#include "oem_info_file.h"

#include <windows.h>

namespace qm::form1 {

// The record as the boxes of form hold it at this moment, texts unchanged; the
// quote comes from the hidden quote field.
OemInfoRecord ReadOemInfoRecord(HWND form);

} // namespace qm::form1
