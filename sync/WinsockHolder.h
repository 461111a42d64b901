// Keeps Winsock 2.0 started for the event sockets: each socket construction retries the start
// until it succeeds once, and the holder's end cleans it up.
#pragma once

#include <winsock2.h>

class CWinsockHolder {
public:
    CWinsockHolder() = default;
    CWinsockHolder(const CWinsockHolder&) = delete;
    CWinsockHolder& operator=(const CWinsockHolder&) = delete;
    virtual ~CWinsockHolder();

    void Ensure();
    int Result() const { return m_result; }

private:
    int m_result = WSAEFAULT; // not started yet
};
