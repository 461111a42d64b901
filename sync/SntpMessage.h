// The 48-byte SNTP message: the client request, and the reading of a server's reply.
#pragma once

#include "sync/NtpTimestamp.h"

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t kSntpMessageSize = 48;
// Room for the message and the optional authenticator (key id and 16-byte digest).
constexpr std::size_t kSntpReplyCapacity = 68;
constexpr std::size_t kTransmitTimestampOffset = 40;

using SntpRequest = std::array<std::uint8_t, kSntpMessageSize>;
using SntpReply = std::array<std::uint8_t, kSntpReplyCapacity>;

// Leap indicator 0, version 3, mode 3 (client), everything zero but the transmit time.
SntpRequest BuildSntpRequest(const NtpTimestamp& now);
NtpTimestamp TransmitTimestamp(const SntpReply& reply);

// The transmit time of a reply of `received` bytes, when the reply vouches for it: a whole
// message, from a server (mode 4) or a broadcast (mode 5), of stratum 1 to 15, without the alarm
// (leap indicator 3). Version, precision and the reference fields play no part.
bool ReadSntpReply(const SntpReply& reply, std::size_t received, NtpTimestamp& transmitTime);
