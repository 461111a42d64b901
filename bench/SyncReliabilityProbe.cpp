// Runs the sync schedule again and again against local servers whose answers turn bad at
// random, and prints the attempts made, the times stored and the process's handle and memory
// counts at the start and the end.
//   sync_reliability_probe.exe [seconds, default 180]
#include "sync/SyncTimeThread.h"
#include "tests/fixtures/HandleCount.h"
#include "tests/fixtures/LocalDaytimeServer.h"
#include "tests/fixtures/LocalSntpServer.h"

#include <psapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

namespace {

std::atomic<long> g_attempts{0};
std::atomic<long> g_stored{0};

class CountingSyncThread : public CSyncTimeThread {
public:
    using CSyncTimeThread::CSyncTimeThread;

    HRESULT QuerySntp(int attempt) override {
        ++g_attempts;
        return CSyncTimeThread::QuerySntp(attempt);
    }
    HRESULT QueryDaytime(int attempt) override {
        ++g_attempts;
        return CSyncTimeThread::QueryDaytime(attempt);
    }
    HRESULT SetServerTime(const SYSTEMTIME& utc) override {
        const HRESULT result = CSyncTimeThread::SetServerTime(utc);
        if (result == S_OK)
            ++g_stored;
        return result;
    }
};

// Good answers most of the time, otherwise one of the faults a server or network can show.
void Disturb(std::mt19937& random, LocalDaytimeServer& daytime, LocalSntpServer& sntp) {
    switch (random() % 8) {
    case 0:
        daytime.CloseWithoutReply();
        break;
    case 1:
        daytime.ReplyWith("60000 23-13-45 25:61:61 00 0"); // no calendar time
        break;
    case 2:
        daytime.ReplyInPieces({"60000 23-02-25 14:", "05:09 00 0"}, 30);
        break;
    case 3:
        daytime.ReplyWith("garbage");
        break;
    default:
        daytime.ReplyWith("\n60000 23-02-25 14:05:09 00 0 0 812.5 UTC(NIST) *\n");
        break;
    }
    switch (random() % 25) {
    case 0:
        sntp.StaySilent(); // costs the client its five-second wait
        break;
    case 1:
        sntp.SetReply(std::vector<std::uint8_t>(20, 0x24)); // short: no whole message
        break;
    case 2:
        sntp.ReplyWithTime(NtpTimestamp(0xD0C8ED00u - 86400, 0)); // 2010
        break;
    case 3:
        sntp.SetReply(std::vector<std::uint8_t>(100, 0xFF)); // longer than the buffer
        break;
    default:
        sntp.ReplyWithTime(NtpTimestamp::Now());
        break;
    }
}

// The commit charge: Wine fills this one, not PrivateUsage.
SIZE_T CommittedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 180;
    CWinsockHolder winsock;
    LocalDaytimeServer daytime;
    LocalSntpServer sntp;
    static const wchar_t* const loopback[kTimeServerCount] = {
        L"127.0.0.1", L"127.0.0.1", L"127.0.0.1", L"127.0.0.1", L"127.0.0.1", L"127.0.0.1"};
    SyncSettings settings;
    settings.sources.servers = loopback;
    settings.sources.daytimePort = daytime.Port();
    settings.sources.sntpPort = sntp.Port();
    settings.failurePause = 5;
    settings.successPause = 20;

    std::atomic<bool> running{true};
    std::thread disturber([&] {
        std::mt19937 random(20261207);
        while (running) {
            Disturb(random, daytime, sntp);
            ::Sleep(15);
        }
    });

    auto runOnce = [&] {
        CountingSyncThread thread(winsock, settings);
        thread.Start();
        ::WaitForSingleObject(thread.GetThread(), INFINITE);
    };
    runOnce(); // the first run sets up Winsock's and the loader's own state
    const DWORD handlesAtStart = CountOpenHandles();
    const SIZE_T memoryAtStart = CommittedBytes();
    const long attemptsAtStart = g_attempts, storedAtStart = g_stored;

    long schedules = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        runOnce();
        ++schedules;
    }
    running = false;
    disturber.join();

    std::printf("schedules run to the given-up state: %ld\n", schedules);
    std::printf("attempts made: %ld, times stored: %ld\n", g_attempts - attemptsAtStart,
                g_stored - storedAtStart);
    std::printf("handles: %lu at the start, %lu at the end\n", handlesAtStart, CountOpenHandles());
    std::printf("committed memory: %lu KiB at the start, %lu KiB at the end\n",
                static_cast<unsigned long>(memoryAtStart / 1024),
                static_cast<unsigned long>(CommittedBytes() / 1024));
    return 0;
}
