// Hands clock keeping to the Windows Time service: its settings, then a restart.
#pragma once

#include "timeservice/TimeServiceSettings.h"

#include <windows.h>

// Writes the W32Time values to every key that opens, then restarts the service when it runs
// or starts it when it is stopped. 0 once the service status was read, E_FAIL when the
// service manager or the service does not open or the status cannot be read. Uses the rights
// the process has: no key's access list is changed.
HRESULT ConfigureTimeService();
HRESULT ConfigureTimeService(const TimeServiceSettings& settings);

// Starts or stops the service, with start type automatic, and waits for it within the
// settings' bounds. Does nothing unless the service is stopped (to start) or running (to stop).
void ControlTimeService(bool start);
void ControlTimeService(bool start, const TimeServiceSettings& settings);
