// The install record's machine identifier: a network adapter's address, lightly scrambled.
#pragma once

#include <rpc.h>

#include <string>

// The node field of a sequential UUID (its bytes 10 to 15, which the platform fills with an
// adapter's hardware address) as 12 upper-case hexadecimal digits.
std::string MakeMachineId();
std::string MachineIdFromUuid(const UUID& uuid);

// Each character XOR a fixed 8-byte key used cyclically, printed with "%X": a result below
// 0x10 gives one digit.
std::string ScrambleMachineId(const std::string& plainId);
