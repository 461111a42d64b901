#include "sync/DaytimeAttempt.h"

#include "sync/DaytimeReply.h"
#include "sync/EventSocket.h"

HRESULT QueryDaytime(const TimeSources& sources, CWinsockHolder& winsock, int attempt,
                     IServerTimeSink& sink) {
    EventSocket socket(winsock);
    if (!socket.Connect(sources.Server(attempt), sources.daytimePort))
        return E_FAIL;

    char buffer[80] = {};
    DWORD size = sizeof buffer;
    if (!socket.Receive(buffer, size))
        return E_FAIL;
    // At most 79 characters, up to the first zero byte.
    buffer[79] = '\0';
    const std::string reply(buffer);
    if (reply.empty())
        return E_FAIL;

    SYSTEMTIME utc;
    if (!ParseDaytimeReply(reply, utc))
        return E_FAIL;
    socket.Close();
    return HandOverServerTime(utc, sink);
}
