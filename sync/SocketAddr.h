// Owns the address list of one name resolution.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

class CSocketAddr {
public:
    CSocketAddr() = default;
    CSocketAddr(const CSocketAddr&) = delete;
    CSocketAddr& operator=(const CSocketAddr&) = delete;
    virtual ~CSocketAddr() { Release(); }

    // Stream-socket addresses of any family for host and port; false on a resolver error.
    bool Resolve(const char* host, unsigned short port);
    // The first address of the answer, or null.
    const addrinfo* First() const { return m_list; }

private:
    void Release();

    addrinfo* m_list = nullptr;
};
