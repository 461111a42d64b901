// Prints the speed of the timestamp conversions and the latency of loopback SNTP queries.
#include "sync/NtpTimestamp.h"
#include "sync/SntpClient.h"
#include "tests/fixtures/LocalSntpServer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void BenchConversions() {
    constexpr std::uint32_t kCount = 2000000;
    std::uint64_t checksum = 0;
    const auto start = Clock::now();
    for (std::uint32_t i = 0; i < kCount; ++i) {
        // Spread over the whole era, with every fraction bit pattern exercised.
        const NtpTimestamp stamp(i * 2147u, i * 2654435761u);
        const CalendarTime time = stamp.ToCalendarTime();
        checksum += NtpTimestamp::FromCalendarTime(time).Seconds();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("conversions: %.0f round trips per second (timestamp -> calendar -> timestamp), "
                "checksum %llu\n",
                kCount / seconds, static_cast<unsigned long long>(checksum));
}

void BenchQueries() {
    constexpr int kQueries = 1000;
    LocalSntpServer server;
    server.ReplyWithTime(NtpTimestamp::Now());
    SntpClient client;
    std::vector<double> microseconds;
    int failures = 0;
    for (int i = 0; i < kQueries; ++i) {
        NtpTimestamp received;
        const auto start = Clock::now();
        if (!client.Query(L"127.0.0.1", server.Port(), received))
            ++failures;
        microseconds.push_back(
            std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(microseconds.begin(), microseconds.end());
    std::printf("loopback SNTP queries: %d, failed %d, median %.0f us, 99th percentile %.0f us\n",
                kQueries, failures, microseconds[kQueries / 2], microseconds[kQueries * 99 / 100]);
}

} // namespace

int main() {
    BenchConversions();
    BenchQueries();
    return 0;
}
