// The sync thread: asks the time servers in turn and keeps the last server time with the tick
// count of its receipt, for the window to read extrapolated.
#pragma once

#include "platform/ScopedHandle.h"
#include "sync/ServerTimeSink.h"
#include "sync/ServerTimeSource.h"
#include "sync/TimeServers.h"
#include "sync/WinRunnable.h"
#include "sync/WinsockHolder.h"

#include <functional>

// The schedule's inputs; the product keeps the defaults, tests shorten and fake them.
struct SyncSettings {
    TimeSources sources;
    DWORD failurePause = 700;
    DWORD successPause = 30000;
    std::function<DWORD()> tickCount = [] { return ::GetTickCount(); };
};

class CSyncTimeThread : public WinMod::AWinRunnable,
                        public IServerTimeSink,
                        public IServerTimeSource {
public:
    explicit CSyncTimeThread(CWinsockHolder& winsock, SyncSettings settings = SyncSettings());
    ~CSyncTimeThread() override = default;

    // Attempt k asks list entry k mod 6, by daytime when even and SNTP when odd; 30 s after
    // a success the same entry again, 0.7 s after a failure the next. The sixth failure ends
    // the thread in the given-up state.
    DWORD Run() override;

    virtual HRESULT QuerySntp(int attempt);
    virtual HRESULT QueryDaytime(int attempt);

    // Stores the time with the current tick; refuses one that is no calendar time.
    HRESULT SetServerTime(const SYSTEMTIME& utc) override;
    // The stored time plus the ticks elapsed since it was stored: 0 with the time, 1 once the
    // thread has given up, E_FAIL while no time is known (or the tick count has wrapped).
    HRESULT GetServerTimeUtc(SYSTEMTIME* utc) override;
    HRESULT GetServerTimeLocal(SYSTEMTIME* local) override;

private:
    static constexpr DWORD kNoTimeYet = 0;
    static constexpr DWORD kGivenUp = 0xFFFFFFFF;

    CWinsockHolder& m_winsock;
    const SyncSettings m_settings;
    CriticalSection m_lock;
    ScopedHandle m_stopEvent;
    DWORD m_tickOfReceipt = kNoTimeYet;
    SYSTEMTIME m_serverTime{};
};
