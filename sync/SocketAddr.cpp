#include "sync/SocketAddr.h"

#include <string>

bool CSocketAddr::Resolve(const char* host, unsigned short port) {
    Release();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    const std::string service = std::to_string(port);
    return ::getaddrinfo(host, service.c_str(), &hints, &m_list) == 0 && m_list != nullptr;
}

void CSocketAddr::Release() {
    if (m_list != nullptr) {
        ::freeaddrinfo(m_list);
        m_list = nullptr;
    }
}
