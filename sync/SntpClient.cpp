#include "sync/SntpClient.h"

#include "sync/SntpMessage.h"

#include <memory>

SntpClient::SntpClient(Clock now, SntpSocket::HostLookup lookup)
    : m_timeout(5000), m_now(std::move(now)), m_lookup(lookup) {}

bool SntpClient::Query(const wchar_t* host, unsigned short port, NtpTimestamp& transmitTime) {
    auto socket = std::make_unique<SntpSocket>(m_lookup);
    if (!socket->Create() || !socket->Connect(host, port))
        return false;

    const SntpRequest request = BuildSntpRequest(m_now());
    if (!socket->Send(request.data(), static_cast<int>(request.size())))
        return false;

    bool readable = false;
    if (!socket->WaitReadable(m_timeout, readable) || !readable)
        return false;

    SntpReply reply{};
    const int received = socket->Receive(reply.data(), static_cast<int>(reply.size()));
    return received > 0 && ReadSntpReply(reply, static_cast<std::size_t>(received), transmitTime);
}
