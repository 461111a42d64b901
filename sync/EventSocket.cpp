#include "sync/EventSocket.h"

#include "platform/AnsiText.h"
#include "sync/SocketAddr.h"

EventSocket::EventSocket(CWinsockHolder& winsock) {
    winsock.Ensure();
}

bool EventSocket::OpenSocket(int family, int type, int protocol) {
    m_socket = ::WSASocketW(family, type, protocol, nullptr, 0, WSA_FLAG_OVERLAPPED);
    if (m_socket == INVALID_SOCKET)
        return false;
    m_connectEvent = ::WSACreateEvent();
    m_receiveEvent = ::WSACreateEvent();
    // Also makes the socket non-blocking.
    return m_connectEvent != WSA_INVALID_EVENT && m_receiveEvent != WSA_INVALID_EVENT &&
           ::WSAEventSelect(m_socket, m_connectEvent, FD_CONNECT) == 0;
}

bool EventSocket::Connect(const wchar_t* host, unsigned short port) {
    if (m_connected)
        return true;

    CSocketAddr address;
    if (!address.Resolve(ToAnsi(host).c_str(), port))
        return false;
    const addrinfo* first = address.First();
    if (m_socket == INVALID_SOCKET &&
        !OpenSocket(first->ai_family, first->ai_socktype, first->ai_protocol))
        return false;

    bool connected = ::WSAConnect(m_socket, first->ai_addr, static_cast<int>(first->ai_addrlen),
                                  nullptr, nullptr, nullptr, nullptr) == 0;
    if (!connected && ::WSAGetLastError() == WSAEWOULDBLOCK &&
        ::WaitForSingleObject(m_connectEvent, m_timeout) == WAIT_OBJECT_0) {
        // No event handle here: the connect event stays signalled for Receive to see.
        WSANETWORKEVENTS events{};
        connected = ::WSAEnumNetworkEvents(m_socket, nullptr, &events) == 0 &&
                    (events.lNetworkEvents & FD_CONNECT) != 0 &&
                    events.iErrorCode[FD_CONNECT_BIT] == 0;
    }
    m_connected = connected;
    return m_connected;
}

bool EventSocket::Receive(char* buffer, DWORD& size) {
    if (::WaitForSingleObject(m_connectEvent, m_timeout) != WAIT_OBJECT_0)
        return false;

    CriticalSectionLock lock(m_receiveLock);
    ::WSAResetEvent(m_receiveEvent);
    WSAOVERLAPPED overlapped{};
    overlapped.hEvent = m_receiveEvent;
    WSABUF chunk{size, buffer};
    DWORD received = 0, flags = 0;
    if (::WSARecv(m_socket, &chunk, 1, &received, &flags, &overlapped, nullptr) != 0 &&
        ::WSAGetLastError() != WSA_IO_PENDING)
        return false;

    if (::WaitForSingleObject(m_receiveEvent, m_timeout) != WAIT_OBJECT_0) {
        // The receive still refers to the caller's buffer and to this stack frame: cancel it
        // and wait for the cancellation before either goes away.
        ::CancelIoEx(reinterpret_cast<HANDLE>(m_socket), &overlapped);
        ::WSAGetOverlappedResult(m_socket, &overlapped, &received, TRUE, &flags);
        return false;
    }
    if (!::WSAGetOverlappedResult(m_socket, &overlapped, &received, FALSE, &flags))
        return false;
    size = received;
    return true;
}

void EventSocket::Close() {
    if (m_socket == INVALID_SOCKET)
        return;
    m_connected = false;
    ::closesocket(m_socket);
    m_socket = INVALID_SOCKET;
    for (WSAEVENT* event : {&m_connectEvent, &m_receiveEvent}) {
        if (*event != WSA_INVALID_EVENT)
            ::WSACloseEvent(*event);
        *event = WSA_INVALID_EVENT;
    }
}
