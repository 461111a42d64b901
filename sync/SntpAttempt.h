// The SNTP attempt of the sync schedule.
#pragma once

#include "sync/ServerTimeSink.h"
#include "sync/TimeServers.h"

// Asks list entry attempt mod 6 over SNTP and hands the time to the sink; a reply that does not
// vouch for its time fails as no reply would, and times before 2011 (a zero transmit time reads
// as 1900) are rejected. 0 on success, else E_FAIL.
HRESULT QuerySntp(const TimeSources& sources, int attempt, IServerTimeSink& sink);
