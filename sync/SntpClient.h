// One SNTP query: a single request, one reply awaited at most five seconds.
#pragma once

#include "sync/NtpTimestamp.h"
#include "sync/SntpSocket.h"

#include <functional>

class SntpClient {
public:
    using Clock = std::function<NtpTimestamp()>;

    explicit SntpClient(Clock now = NtpTimestamp::Now,
                        SntpSocket::HostLookup lookup = SntpSocket::LookUpHost);
    virtual ~SntpClient() = default;

    // The server's transmit timestamp; false as well for a reply that does not vouch for it
    // (ReadSntpReply).
    bool Query(const wchar_t* host, unsigned short port, NtpTimestamp& transmitTime);

private:
    unsigned long m_timeout;
    Clock m_now;
    SntpSocket::HostLookup m_lookup;
};
