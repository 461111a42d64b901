// A connected IPv4 datagram socket for one SNTP exchange; closed on destruction.
#pragma once

#include <winsock2.h>

class SntpSocket {
public:
    // Resolves a host name that is not a dotted IPv4 literal into its first IPv4 address.
    using HostLookup = bool (*)(const char* host, in_addr* address);
    static bool LookUpHost(const char* host, in_addr* address);

    explicit SntpSocket(HostLookup lookup = LookUpHost) : m_lookup(lookup) {}
    SntpSocket(const SntpSocket&) = delete;
    SntpSocket& operator=(const SntpSocket&) = delete;
    virtual ~SntpSocket() { Close(); }

    bool Create();
    // Fixes the datagram socket's peer; nothing is sent.
    bool Connect(const wchar_t* host, unsigned short port);
    bool Send(const void* data, int size);
    // One recv of at most size bytes; the platform's count (SOCKET_ERROR on failure).
    int Receive(void* buffer, int size);
    // False when select fails; otherwise readable tells whether data arrived in time.
    bool WaitReadable(unsigned long milliseconds, bool& readable);
    void Close();

    SOCKET Handle() const { return m_socket; }

private:
    SOCKET m_socket = INVALID_SOCKET;
    HostLookup m_lookup;
};
