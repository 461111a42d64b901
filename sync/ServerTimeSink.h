// Where an attempt hands the server time it obtained; the sync thread stores it.
#pragma once

#include <windows.h>

class IServerTimeSink {
public:
    virtual ~IServerTimeSink() = default;
    // Fails for a time that is not a calendar time; such a time is never stored.
    virtual HRESULT SetServerTime(const SYSTEMTIME& utc) = 0;
};

// The end of every attempt: a time before 2011 is no server's answer (a reply without a time
// reads as 1900). 0 when the sink took the time, else E_FAIL.
inline HRESULT HandOverServerTime(const SYSTEMTIME& utc, IServerTimeSink& sink) {
    if (utc.wYear < 2011)
        return E_FAIL;
    return SUCCEEDED(sink.SetServerTime(utc)) ? S_OK : E_FAIL;
}
