// The fixed public time servers and where an attempt of the schedule sends its query.
#pragma once

#include "sync/NtpTimestamp.h"

#include <functional>

constexpr int kTimeServerCount = 6;
// Even entries answer the daytime protocol, odd ones SNTP; entries 0 and 1 are the same name.
extern const wchar_t* const kTimeServers[kTimeServerCount];
constexpr unsigned short kDaytimePort = 13;
constexpr unsigned short kSntpPort = 123;

// The servers, ports and request clock the attempts use; the product keeps the defaults and
// tests point them at local servers.
struct TimeSources {
    const wchar_t* const* servers = kTimeServers;
    unsigned short daytimePort = kDaytimePort;
    unsigned short sntpPort = kSntpPort;
    std::function<NtpTimestamp()> now = NtpTimestamp::Now;

    const wchar_t* Server(int attempt) const { return servers[attempt % kTimeServerCount]; }
};
