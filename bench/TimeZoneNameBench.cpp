// How long one TimeZoneDisplayName call takes (the window makes one every 1.5 s): it asks the
// platform for the zone and reads the whole registry list of zones each time. Prints the
// spread over many calls, for the whole call and for its two parts.
#include "app/TimeZoneName.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

namespace {

void Time(const char* what, const std::function<void()>& call) {
    constexpr int kCalls = 200;
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> milliseconds;
    for (int i = 0; i < kCalls; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        call();
        ::QueryPerformanceCounter(&end);
        milliseconds.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                               static_cast<double>(frequency.QuadPart));
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    const double mean =
        std::accumulate(milliseconds.begin(), milliseconds.end(), 0.0) / milliseconds.size();
    std::printf("%-29s over %d calls: min %6.2f ms, median %6.2f ms, mean %6.2f ms, max %6.2f ms\n",
                what, kCalls, milliseconds.front(), milliseconds[milliseconds.size() / 2], mean,
                milliseconds.back());
}

} // namespace

int wmain() {
    std::printf("zone: %ls (%zu zones in the list)\n", TimeZoneDisplayName().c_str(),
                EnumTimeZones().size());
    Time("TimeZoneDisplayName", [] { TimeZoneDisplayName(); });
    Time("GetDynamicTimeZoneInformation", [] {
        DYNAMIC_TIME_ZONE_INFORMATION zone;
        ::GetDynamicTimeZoneInformation(&zone);
    });
    Time("EnumTimeZones", [] { EnumTimeZones(); });
    return 0;
}
