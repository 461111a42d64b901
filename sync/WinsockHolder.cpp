#include "sync/WinsockHolder.h"

CWinsockHolder::~CWinsockHolder() {
    if (m_result == 0)
        ::WSACleanup();
}

void CWinsockHolder::Ensure() {
    if (m_result != 0) {
        WSADATA data;
        m_result = ::WSAStartup(MAKEWORD(2, 0), &data);
    }
}
