#include "app/MachineId.h"

#include <cstdio>
#include <iterator>

namespace {

constexpr unsigned char kScrambleKey[] = {0x5C, 0xE1, 0x07, 0x3A, 0xD8, 0x26, 0x91, 0x4F};

} // namespace

std::string MakeMachineId() {
    // The result is not examined: without an adapter the platform still fills the node field.
    UUID uuid{};
    ::UuidCreateSequential(&uuid);
    return MachineIdFromUuid(uuid);
}

std::string MachineIdFromUuid(const UUID& uuid) {
    const unsigned char* node = uuid.Data4 + 2;
    char text[13];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X", node[0], node[1], node[2], node[3],
                  node[4], node[5]);
    return text;
}

std::string ScrambleMachineId(const std::string& plainId) {
    std::string scrambled;
    std::size_t k = 0;
    for (const char c : plainId) {
        // Unsigned, so that a byte above 0x7F gives two digits rather than a sign-extended
        // eight.
        const unsigned value = static_cast<unsigned char>(c) ^ kScrambleKey[k];
        char digits[3];
        std::snprintf(digits, sizeof digits, "%X", value);
        scrambled += digits;
        k = (k + 1) % std::size(kScrambleKey);
    }
    return scrambled;
}
