#pragma once
// Reading the committed resource files and little-endian fields out of byte buffers.

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The whole of resources/<name> as committed; empty if it cannot be read.
Bytes ReadCommittedResource(const std::string& name);

uint16_t U16(const Bytes& bytes, size_t offset);
uint32_t U32(const Bytes& bytes, size_t offset);
int32_t I32(const Bytes& bytes, size_t offset);
