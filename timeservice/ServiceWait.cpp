#include "timeservice/ServiceWait.h"

#include <algorithm>

bool WaitForServiceState(DWORD targetState, const ServiceStatusQuery& query,
                         const PauseFunction& pause, const ServiceWaitBounds& bounds) {
    DWORD paused = 0;
    for (;;) {
        SERVICE_STATUS status{};
        if (!query(status))
            return false;
        // At least 1 ms, so that the bound is reached even with a minimum of 0.
        const DWORD wanted = std::max({status.dwWaitHint, bounds.minPauseMs, DWORD{1}});
        const DWORD step = std::min(wanted, bounds.maxTotalMs - paused);
        pause(step);
        paused += step;
        if (status.dwCurrentState == targetState)
            return true;
        if (paused >= bounds.maxTotalMs)
            return false;
    }
}
