// Feeds arbitrary bytes to the program.cng reader: it must never crash or read
// out of bounds (the sanitizers watch), and what it returns must make sense.

#include "graphics_program.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string field = qm::FirstFieldOf(bytes);

    // The field is a piece of the file, never more.
    Require(field.size() <= bytes.size());
    Require(bytes.find(field) != std::string::npos);

    // Whatever the writer stores reads back as it was.
    if (bytes.find('"') == std::string::npos) {
        Require(qm::FirstFieldOf("\"" + bytes + "\"\r\n") == bytes);
    }
    return 0;
}
