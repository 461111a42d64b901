// A stream socket whose connect and receive each wait at most ten seconds on event objects.
#pragma once

#include "platform/ScopedHandle.h"
#include "sync/WinsockHolder.h"

#include <winsock2.h>

class EventSocket {
public:
    explicit EventSocket(CWinsockHolder& winsock);
    EventSocket(const EventSocket&) = delete;
    EventSocket& operator=(const EventSocket&) = delete;
    virtual ~EventSocket() { Close(); }

    // Connects to the first address the resolver gives for host and port.
    bool Connect(const wchar_t* host, unsigned short port);
    // One overlapped receive: size is the buffer's size in, the bytes received out.
    bool Receive(char* buffer, DWORD& size);
    void Close();

private:
    bool OpenSocket(int family, int type, int protocol);

    SOCKET m_socket = INVALID_SOCKET;
    WSAEVENT m_connectEvent = WSA_INVALID_EVENT;
    WSAEVENT m_receiveEvent = WSA_INVALID_EVENT;
    CriticalSection m_receiveLock;
    bool m_connected = false;
    DWORD m_timeout = 10000;
};
