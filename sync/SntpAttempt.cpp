#include "sync/SntpAttempt.h"

#include "sync/SntpClient.h"

HRESULT QuerySntp(const TimeSources& sources, int attempt, IServerTimeSink& sink) {
    SntpClient client(sources.now);
    NtpTimestamp transmitTime;
    if (!client.Query(sources.Server(attempt), sources.sntpPort, transmitTime))
        return E_FAIL;

    return HandOverServerTime(transmitTime.ToCalendarTime(), sink);
}
