#include "binary_reading.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

Bytes ReadCommittedResource(const std::string& name) {
    std::ifstream file(std::string(QM_RESOURCE_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

uint16_t U16(const Bytes& bytes, size_t offset) {
    if (offset + 2 > bytes.size())
        throw std::out_of_range("read past the end");
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

uint32_t U32(const Bytes& bytes, size_t offset) {
    return U16(bytes, offset) | static_cast<uint32_t>(U16(bytes, offset + 2)) << 16;
}

int32_t I32(const Bytes& bytes, size_t offset) {
    return static_cast<int32_t>(U32(bytes, offset));
}
