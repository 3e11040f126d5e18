#pragma once
// The picture browser's bitmap file reader, kept under its old name while it
// moves to core/bitmap/.

#include "bitmap_file_layout.h"
