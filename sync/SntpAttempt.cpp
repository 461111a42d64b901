#include "sync/SntpAttempt.h"

#include "sync/SntpClient.h"

HRESULT QuerySntp(const TimeSources& sources, int attempt, IServerTimeSink& sink) {
    SntpClient client(sources.now);
    NtpTimestamp transmitTime;
    if (!client.Query(sources.Server(attempt), sources.sntpPort, transmitTime))
        return E_FAIL;

    const SYSTEMTIME utc = transmitTime.ToCalendarTime();
    if (utc.wYear < 2011)
        return E_FAIL;
    return SUCCEEDED(sink.SetServerTime(utc)) ? S_OK : E_FAIL;
}
