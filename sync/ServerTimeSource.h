// Where the window reads the server time: the sync thread, or a stand-in in tests.
#pragma once

#include <windows.h>

class IServerTimeSource {
public:
    // The stored server time advanced by the ticks since its receipt: 0 with the time, 1 once
    // the sync thread has given up, negative while no time is known.
    virtual HRESULT GetServerTimeUtc(SYSTEMTIME* utc) = 0;
    virtual HRESULT GetServerTimeLocal(SYSTEMTIME* local) = 0;

protected:
    ~IServerTimeSource() = default;
};
