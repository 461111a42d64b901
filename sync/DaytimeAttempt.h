// The daytime attempt of the sync schedule.
#pragma once

#include "sync/ServerTimeSink.h"
#include "sync/TimeServers.h"
#include "sync/WinsockHolder.h"

// Reads one reply line from list entry attempt mod 6 over TCP and hands its time to the sink;
// a reply that does not vouch for its time (ParseDaytimeReply) and times before 2011 are
// rejected. 0 on success, else E_FAIL.
HRESULT QueryDaytime(const TimeSources& sources, CWinsockHolder& winsock, int attempt,
                     IServerTimeSink& sink);
