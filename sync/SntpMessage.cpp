#include "sync/SntpMessage.h"

SntpRequest BuildSntpRequest(const NtpTimestamp& now) {
    SntpRequest request{};
    request[0] = 0x1B;
    now.ToWire(request.data() + kTransmitTimestampOffset);
    return request;
}

NtpTimestamp TransmitTimestamp(const SntpReply& reply) {
    return NtpTimestamp::FromWire(reply.data() + kTransmitTimestampOffset);
}
