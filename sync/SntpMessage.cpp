#include "sync/SntpMessage.h"

namespace {

constexpr unsigned kLeapAlarm = 3;
constexpr unsigned kServerMode = 4;
constexpr unsigned kBroadcastMode = 5;
constexpr unsigned kLastSynchronisedStratum = 15;

} // namespace

SntpRequest BuildSntpRequest(const NtpTimestamp& now) {
    SntpRequest request{};
    request[0] = 0x1B;
    now.ToWire(request.data() + kTransmitTimestampOffset);
    return request;
}

NtpTimestamp TransmitTimestamp(const SntpReply& reply) {
    return NtpTimestamp::FromWire(reply.data() + kTransmitTimestampOffset);
}

bool ReadSntpReply(const SntpReply& reply, std::size_t received, NtpTimestamp& transmitTime) {
    // A shorter reply would be read with part of its transmit time zeroed: minutes to months early.
    if (received < kSntpMessageSize)
        return false;
    const unsigned leap = reply[0] >> 6;
    const unsigned mode = reply[0] & 7u;
    const unsigned stratum = reply[1];
    // Stratum 0 is a Kiss-o'-Death (rate limit or refusal), which often carries our own request
    // time back; the alarm and stratum 16 on mean the server's clock is not synchronised; any
    // other mode is no server's answer, as our own request reflected back would be.
    if (leap == kLeapAlarm || (mode != kServerMode && mode != kBroadcastMode) || stratum == 0 ||
        stratum > kLastSynchronisedStratum)
        return false;
    transmitTime = TransmitTimestamp(reply);
    return true;
}
