#pragma once
// The CRC-32 of ZIP and PNG (reflected polynomial 0xEDB88320), which tells a
// damaged or cut-off file from a whole one.

#include <cstddef>
#include <cstdint>

namespace qm {

std::uint32_t Crc32(const char* data, std::size_t size);

} // namespace qm
