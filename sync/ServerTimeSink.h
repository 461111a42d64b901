// Where an attempt hands the server time it obtained; the sync thread stores it.
#pragma once

#include <windows.h>

class IServerTimeSink {
public:
    virtual ~IServerTimeSink() = default;
    // Fails for a time that is not a calendar time; such a time is never stored.
    virtual HRESULT SetServerTime(const SYSTEMTIME& utc) = 0;
};
