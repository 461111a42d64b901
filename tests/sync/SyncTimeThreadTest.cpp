#include "sync/SyncTimeThread.h"
#include "tests/fixtures/LocalDaytimeServer.h"
#include "tests/fixtures/LocalSntpServer.h"
#include "tests/fixtures/SyncTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

ULONGLONG FileUnits(const SYSTEMTIME& time) {
    FILETIME file{};
    ::SystemTimeToFileTime(&time, &file);
    return static_cast<ULONGLONG>(file.dwHighDateTime) << 32 | file.dwLowDateTime;
}

SYSTEMTIME FromFileUnits(ULONGLONG units) {
    FILETIME file{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    SYSTEMTIME time{};
    ::FileTimeToSystemTime(&file, &time);
    return time;
}

// Replaces the network attempts by a script of results; a success stores a time.
class ScriptedSyncThread : public CSyncTimeThread {
public:
    ScriptedSyncThread(CWinsockHolder& winsock, std::vector<bool> script, SyncSettings settings)
        : CSyncTimeThread(winsock, std::move(settings)), m_script(std::move(script)) {}

    HRESULT QuerySntp(int attempt) override { return Attempt("sntp", attempt); }
    HRESULT QueryDaytime(int attempt) override { return Attempt("daytime", attempt); }

    std::vector<std::string> Calls() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }
    std::vector<Clock::time_point> CallTimes() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_times;
    }

private:
    HRESULT Attempt(const char* protocol, int attempt) {
        std::size_t index;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            index = m_calls.size();
            m_calls.push_back(std::string(protocol) + " " + std::to_string(attempt % 6));
            m_times.push_back(Clock::now());
        }
        if (index >= m_script.size() || !m_script[index])
            return E_FAIL;
        return SetServerTime(Utc(2024, 5, 1, 12, 0, 0));
    }

    std::vector<bool> m_script;
    std::mutex m_mutex;
    std::vector<std::string> m_calls;
    std::vector<Clock::time_point> m_times;
};

SyncSettings ShortPauses() {
    SyncSettings settings;
    settings.failurePause = 20;
    settings.successPause = 60;
    return settings;
}

bool RunToEnd(WinMod::AWinRunnable& thread) {
    return ::WaitForSingleObject(thread.GetThread(), 30000) == WAIT_OBJECT_0;
}

class SyncScheduleTest : public ::testing::Test {
protected:
    CWinsockHolder winsock;
};

} // namespace

TEST_F(SyncScheduleTest, AllServersFailingGivesSixAttemptsThenGivesUp) {
    ScriptedSyncThread thread(winsock, {}, ShortPauses());
    ASSERT_EQ(thread.Start(), S_OK);
    ASSERT_TRUE(RunToEnd(thread));
    EXPECT_EQ(thread.Calls(), (std::vector<std::string>{"daytime 0", "sntp 1", "daytime 2",
                                                        "sntp 3", "daytime 4", "sntp 5"}));
    SYSTEMTIME untouched = Utc(1999, 9, 9, 9, 9, 9);
    EXPECT_EQ(thread.GetServerTimeUtc(&untouched), S_FALSE);
    EXPECT_EQ(thread.GetServerTimeLocal(&untouched), S_FALSE);
    EXPECT_EQ(untouched.wYear, 1999);
    DWORD exitCode = 1;
    ::GetExitCodeThread(thread.GetThread(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(SyncScheduleTest, FirstSuccessAsksDaytimeEntryZeroAgain) {
    ScriptedSyncThread thread(winsock, {true}, ShortPauses());
    ASSERT_EQ(thread.Start(), S_OK);
    ASSERT_TRUE(RunToEnd(thread));
    EXPECT_EQ(thread.Calls(),
              (std::vector<std::string>{"daytime 0", "daytime 0", "sntp 1", "daytime 2", "sntp 3",
                                        "daytime 4", "sntp 5"}));
}

TEST_F(SyncScheduleTest, SixFailuresGiveUpEvenAfterSuccesses) {
    ScriptedSyncThread thread(winsock, {false, false, true, true}, ShortPauses());
    ASSERT_EQ(thread.Start(), S_OK);
    ASSERT_TRUE(RunToEnd(thread));
    EXPECT_EQ(thread.Calls(),
              (std::vector<std::string>{"daytime 0", "sntp 1", "daytime 2", "daytime 2",
                                        "daytime 2", "sntp 3", "daytime 4", "sntp 5"}));
    SYSTEMTIME time;
    EXPECT_EQ(thread.GetServerTimeUtc(&time), S_FALSE);
}

TEST_F(SyncScheduleTest, PausesFollowTheOutcome) {
    // The product's pauses: 0.7 s after a failure, 30 s after a success.
    SyncSettings settings;
    EXPECT_EQ(settings.failurePause, 700u);
    EXPECT_EQ(settings.successPause, 30000u);
    // Far apart, so that a busy machine cannot stretch the short pause into the long one: a
    // wait lasts at least as long as asked, and the bound leaves the short one seconds to spare.
    settings.failurePause = 50;
    settings.successPause = 4000;
    ScriptedSyncThread thread(winsock, {true}, settings);
    ASSERT_EQ(thread.Start(), S_OK);
    ASSERT_TRUE(RunToEnd(thread));
    const std::vector<Clock::time_point> times = thread.CallTimes();
    ASSERT_EQ(times.size(), 7u);
    EXPECT_GE(times[1] - times[0], std::chrono::milliseconds(3990)) << "after the success";
    for (std::size_t i = 2; i < times.size(); ++i) {
        EXPECT_GE(times[i] - times[i - 1], std::chrono::milliseconds(45)) << i;
        EXPECT_LT(times[i] - times[i - 1], std::chrono::milliseconds(2000)) << i;
    }
}

class ServerTimeStoreTest : public ::testing::Test {
protected:
    ServerTimeStoreTest() : thread(winsock, FakeTicks()) {}

    SyncSettings FakeTicks() {
        SyncSettings settings;
        settings.tickCount = [this] { return tick.load(); };
        return settings;
    }

    CWinsockHolder winsock;
    std::atomic<DWORD> tick{100000};
    CSyncTimeThread thread;
};

TEST_F(ServerTimeStoreTest, NothingIsKnownBeforeTheFirstAnswer) {
    SYSTEMTIME time = Utc(1999, 9, 9, 9, 9, 9);
    EXPECT_EQ(thread.GetServerTimeUtc(&time), E_FAIL);
    EXPECT_EQ(thread.GetServerTimeLocal(&time), E_FAIL);
    EXPECT_EQ(time.wYear, 1999);
}

TEST_F(ServerTimeStoreTest, StoredTimeAdvancesWithTheTicks) {
    const SYSTEMTIME noon = Utc(2024, 5, 1, 12, 0, 0);
    ASSERT_EQ(thread.SetServerTime(noon), S_OK);
    tick += 10000;
    SYSTEMTIME utc{};
    ASSERT_EQ(thread.GetServerTimeUtc(&utc), S_OK);
    EXPECT_EQ(FileUnits(utc), FileUnits(Utc(2024, 5, 1, 12, 0, 10)));

    // In the zone its CTest entry sets, UTC+05:30 all year round.
    TIME_ZONE_INFORMATION zone{};
    ::GetTimeZoneInformation(&zone);
    ASSERT_EQ(zone.Bias, -330) << "needs TZ=IST-5:30";
    SYSTEMTIME local{};
    ASSERT_EQ(thread.GetServerTimeLocal(&local), S_OK);
    EXPECT_EQ(FileUnits(local), FileUnits(Utc(2024, 5, 1, 17, 30, 10)));
}

TEST_F(ServerTimeStoreTest, WrappedTickCountReadsAsNoTime) {
    tick = 0xFFFFF000;
    ASSERT_EQ(thread.SetServerTime(Utc(2024, 5, 1, 12, 0, 0)), S_OK);
    tick = 5;
    SYSTEMTIME time;
    EXPECT_EQ(thread.GetServerTimeUtc(&time), E_FAIL);
    EXPECT_EQ(thread.GetServerTimeLocal(&time), E_FAIL);
    ASSERT_EQ(thread.SetServerTime(Utc(2024, 5, 1, 12, 0, 0)), S_OK);
    EXPECT_EQ(thread.GetServerTimeUtc(&time), S_OK);
}

TEST_F(ServerTimeStoreTest, ReceiptAtAMarkerTickStillCountsAsATime) {
    SYSTEMTIME time;
    tick = 0;
    ASSERT_EQ(thread.SetServerTime(Utc(2024, 5, 1, 12, 0, 0)), S_OK);
    tick = 1;
    EXPECT_EQ(thread.GetServerTimeUtc(&time), S_OK);
    tick = 0xFFFFFFFF;
    ASSERT_EQ(thread.SetServerTime(Utc(2024, 5, 1, 12, 0, 0)), S_OK);
    EXPECT_EQ(thread.GetServerTimeUtc(&time), S_OK);
}

TEST_F(ServerTimeStoreTest, TimeThatIsNoCalendarTimeIsRefusedAndNotStored) {
    const SYSTEMTIME good = Utc(2024, 5, 1, 12, 0, 0);
    ASSERT_EQ(thread.SetServerTime(good), S_OK);
    for (const SYSTEMTIME& bad :
         {Utc(2023, 13, 1, 0, 0, 0), Utc(2023, 2, 29, 0, 0, 0), Utc(2023, 1, 1, 24, 0, 0),
          Utc(2023, 1, 1, 0, 60, 0), Utc(2023, 1, 1, 0, 0, 0, 1000), Utc(2023, 0, 1, 0, 0, 0)})
        EXPECT_EQ(thread.SetServerTime(bad), E_INVALIDARG)
            << bad.wYear << '-' << bad.wMonth << '-' << bad.wDay << ' ' << bad.wHour << ':'
            << bad.wMinute << '.' << bad.wMilliseconds;
    SYSTEMTIME read{};
    ASSERT_EQ(thread.GetServerTimeUtc(&read), S_OK);
    EXPECT_EQ(FileUnits(read), FileUnits(good));
}

TEST_F(ServerTimeStoreTest, ConcurrentReadsSeeWholeStores) {
    // Every time stored is base + its tick, so every untorn read is base + the reading tick.
    const ULONGLONG base = FileUnits(Utc(2024, 5, 1, 0, 0, 0));
    std::atomic<bool> done{false};
    std::atomic<int> torn{0}, reads{0};
    std::thread writer([&] {
        for (DWORD step = 1; step <= 200000; ++step) {
            const DWORD at = 100000 + step * 1000;
            tick = at;
            thread.SetServerTime(FromFileUnits(base + static_cast<ULONGLONG>(at) * 10000));
        }
        done = true;
    });
    while (!done) {
        const DWORD before = tick;
        SYSTEMTIME utc;
        if (thread.GetServerTimeUtc(&utc) != S_OK)
            continue;
        const DWORD after = tick;
        const ULONGLONG readTick = (FileUnits(utc) - base) / 10000;
        if (readTick < before || readTick > after)
            ++torn;
        ++reads;
    }
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GT(reads, 1000);
}

class SyncThreadEndToEnd : public ::testing::Test {
protected:
    static const wchar_t* const kLoopback[kTimeServerCount];

    SyncSettings LocalServers(const wchar_t* const* servers = kLoopback) {
        SyncSettings settings = ShortPauses();
        settings.sources.servers = servers;
        settings.sources.daytimePort = daytime.Port();
        settings.sources.sntpPort = sntp.Port();
        return settings;
    }

    // Waits up to five seconds for the thread's first time, which must be that of kNistLine.
    static void ExpectTheNistLinesTime(CSyncTimeThread& thread) {
        SYSTEMTIME utc{};
        HRESULT result = E_FAIL;
        for (int i = 0; i < 500 && result != S_OK; ++i, ::Sleep(10))
            result = thread.GetServerTimeUtc(&utc);
        ASSERT_EQ(result, S_OK);
        EXPECT_EQ(utc.wYear, 2023);
        EXPECT_EQ(utc.wHour, 14);
        EXPECT_EQ(utc.wMinute, 5);
    }

    static constexpr const char* kNistLine = "\n60000 23-02-25 14:05:09 00 0 0 812.5 UTC(NIST) *\n";

    CWinsockHolder winsock;
    LocalDaytimeServer daytime;
    LocalSntpServer sntp;
};

const wchar_t* const SyncThreadEndToEnd::kLoopback[kTimeServerCount] = {
    L"127.0.0.1", L"127.0.0.1", L"127.0.0.1", L"127.0.0.1", L"127.0.0.1", L"127.0.0.1"};

TEST_F(SyncThreadEndToEnd, KeepsTheLastAnswerAndGivesUpWhenTheServersFail) {
    daytime.ReplyWith(kNistLine);
    CSyncTimeThread thread(winsock, LocalServers());
    ASSERT_EQ(thread.Start(), S_OK);

    ASSERT_NO_FATAL_FAILURE(ExpectTheNistLinesTime(thread));
    SYSTEMTIME utc{};
    EXPECT_FALSE(thread.IsFinished()) << "it asks again while the server answers";

    // Daytime closes without a reply and SNTP answers without a time: all fail quickly.
    daytime.CloseWithoutReply();
    std::vector<std::uint8_t> empty = MakeSntpReply(NtpTimestamp());
    empty.resize(40);
    sntp.SetReply(empty);
    ASSERT_TRUE(RunToEnd(thread));
    EXPECT_EQ(thread.GetServerTimeUtc(&utc), S_FALSE);
    EXPECT_EQ(sntp.RequestCount(), 3);
}

TEST_F(SyncThreadEndToEnd, KissOfDeathIsSkippedForTheNextServersTime) {
    // Entry 0 refuses the connection, entry 1 refuses the client by SNTP with our own time, and
    // entry 2 answers by daytime.
    const wchar_t* const servers[kTimeServerCount] = {L"127.0.0.9", L"127.0.0.1", L"127.0.0.1",
                                                      L"127.0.0.1", L"127.0.0.1", L"127.0.0.1"};
    sntp.ReplyWithKissOfDeath("RATE");
    daytime.ReplyWith(kNistLine);
    CSyncTimeThread thread(winsock, LocalServers(servers));
    ASSERT_EQ(thread.Start(), S_OK);

    ASSERT_NO_FATAL_FAILURE(ExpectTheNistLinesTime(thread));
    SYSTEMTIME utc{};
    EXPECT_EQ(sntp.RequestCount(), 1);

    // The refusals count as failures: with daytime failing too, entries 3 to 5 end the thread.
    daytime.CloseWithoutReply();
    ASSERT_TRUE(RunToEnd(thread));
    EXPECT_EQ(thread.GetServerTimeUtc(&utc), S_FALSE);
    EXPECT_EQ(sntp.RequestCount(), 3);
}

TEST_F(SyncThreadEndToEnd, DaytimeReplyThatIsNoCalendarTimeFailsTheAttempt) {
    CSyncTimeThread thread(winsock, LocalServers());
    for (const char* reply :
         {"1 23-13-01 00:00:00", "1 23-02-30 00:00:00", "1 23-02-25 24:00:00"}) {
        daytime.ReplyWith(reply);
        EXPECT_EQ(thread.QueryDaytime(0), E_FAIL) << reply;
    }
    SYSTEMTIME utc;
    EXPECT_EQ(thread.GetServerTimeUtc(&utc), E_FAIL);
}

TEST_F(SyncThreadEndToEnd, SntpAttemptStoresItsTime) {
    sntp.ReplyWithTime(NtpTimestamp(0xE7A49415u, 0x80000000u)); // 2023-02-25 14:05:09.500
    CSyncTimeThread thread(winsock, LocalServers());
    ASSERT_EQ(thread.QuerySntp(1), S_OK);
    SYSTEMTIME utc;
    ASSERT_EQ(thread.GetServerTimeUtc(&utc), S_OK);
    EXPECT_EQ(utc.wSecond, 9);
    EXPECT_GE(utc.wMilliseconds, 500);
}
