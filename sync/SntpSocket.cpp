#include "sync/SntpSocket.h"

#include "platform/AnsiText.h"

bool SntpSocket::LookUpHost(const char* host, in_addr* address) {
    const hostent* entry = ::gethostbyname(host);
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_addr_list[0] == nullptr)
        return false;
    *address = *reinterpret_cast<const in_addr*>(entry->h_addr_list[0]);
    return true;
}

bool SntpSocket::Create() {
    Close();
    m_socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    return m_socket != INVALID_SOCKET;
}

bool SntpSocket::Connect(const wchar_t* host, unsigned short port) {
    const std::string name = ToAnsi(host);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = ::htons(port);
    peer.sin_addr.s_addr = ::inet_addr(name.c_str());
    if (peer.sin_addr.s_addr == INADDR_NONE && !m_lookup(name.c_str(), &peer.sin_addr))
        return false;
    return ::connect(m_socket, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0;
}

bool SntpSocket::Send(const void* data, int size) {
    return ::send(m_socket, static_cast<const char*>(data), size, 0) != SOCKET_ERROR;
}

int SntpSocket::Receive(void* buffer, int size) {
    return ::recv(m_socket, static_cast<char*>(buffer), size, 0);
}

bool SntpSocket::WaitReadable(unsigned long milliseconds, bool& readable) {
    fd_set readSet;
    FD_ZERO(&readSet);
    FD_SET(m_socket, &readSet);
    timeval timeout{static_cast<long>(milliseconds / 1000),
                    static_cast<long>(milliseconds % 1000) * 1000};
    const int ready = ::select(0, &readSet, nullptr, nullptr, &timeout);
    if (ready == SOCKET_ERROR)
        return false;
    readable = ready > 0 && FD_ISSET(m_socket, &readSet);
    return true;
}

void SntpSocket::Close() {
    if (m_socket != INVALID_SOCKET) {
        ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
}
