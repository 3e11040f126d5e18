#pragma once
// Reads a Windows bitmap file into a picture for the preview. The file's
// headers are checked by core/bitmap before GDI decodes the pixels, so a
// damaged file can make GDI read nothing beyond it. (Wine's LoadImage draws a
// top-down bitmap black; GDI's own decoding reads every layout.)

#include <windows.h>

#include <string>

namespace qm::frmmain {

// The file drawn stretched to shown (the size it is shown at) as a 32-bit DIB
// section; nullptr when it cannot be read. A big photo never exists in memory
// at its own size.
HBITMAP LoadBitmapFile(const std::wstring& path, SIZE shown);

} // namespace qm::frmmain
