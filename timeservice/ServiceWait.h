// Waiting for a service to reach a state, apart from the service manager that reports it.
#pragma once

#include <windows.h>

#include <functional>

// A service's wait hint may be 0 or far too long, and a hung service never gets there: the
// wait pauses at least minPauseMs between reads and gives up after maxTotalMs of pauses.
struct ServiceWaitBounds {
    DWORD minPauseMs;
    DWORD maxTotalMs;
};

// A tenth of a second between reads; thirty seconds in all, as long as the service manager
// itself gives a service to answer.
constexpr ServiceWaitBounds kServiceWaitBounds{100, 30000};

// One status read; false when the query failed.
using ServiceStatusQuery = std::function<bool(SERVICE_STATUS& status)>;
using PauseFunction = std::function<void(DWORD milliseconds)>;

// Reads the status, pauses for its wait hint, and stops when the state read before the pause
// is the target (true). false when a read fails or the bound is spent; both are silent.
bool WaitForServiceState(DWORD targetState, const ServiceStatusQuery& query,
                         const PauseFunction& pause, const ServiceWaitBounds& bounds);
