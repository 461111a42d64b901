#include "timeservice/ServiceWait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Read {
    DWORD state;
    DWORD waitHint;
};

// Replays status reads (the last one for ever) and records the pauses asked for.
class ScriptedService {
public:
    explicit ScriptedService(std::vector<Read> reads) : m_reads(std::move(reads)) {}

    bool Wait(DWORD target, const ServiceWaitBounds& bounds, int failAtRead = -1) {
        int read = 0;
        return WaitForServiceState(
            target,
            [&](SERVICE_STATUS& status) {
                if (read == failAtRead)
                    return false;
                const Read& next = m_reads[std::min<std::size_t>(read++, m_reads.size() - 1)];
                status.dwCurrentState = next.state;
                status.dwWaitHint = next.waitHint;
                return true;
            },
            [&](DWORD milliseconds) { pauses.push_back(milliseconds); }, bounds);
    }

    std::vector<DWORD> pauses;

private:
    std::vector<Read> m_reads;
};

constexpr ServiceWaitBounds kBounds{100, 1000};

} // namespace

TEST(ServiceWait, PausesForEachWaitHintUntilTheTargetIsRead) {
    ScriptedService service(
        {{SERVICE_STOP_PENDING, 300}, {SERVICE_STOP_PENDING, 250}, {SERVICE_STOPPED, 0}});
    EXPECT_TRUE(service.Wait(SERVICE_STOPPED, kBounds));
    EXPECT_EQ(service.pauses, (std::vector<DWORD>{300, 250, 100}))
        << "the state read before the pause decides, and the pause still comes";
}

TEST(ServiceWait, AHintBelowTheMinimumPausesTheMinimum) {
    ScriptedService service({{SERVICE_START_PENDING, 10}, {SERVICE_RUNNING, 0}});
    EXPECT_TRUE(service.Wait(SERVICE_RUNNING, kBounds));
    EXPECT_EQ(service.pauses, (std::vector<DWORD>{100, 100}));
}

TEST(ServiceWait, AFailedReadLeavesWithoutPausing) {
    ScriptedService service({{SERVICE_START_PENDING, 200}});
    EXPECT_FALSE(service.Wait(SERVICE_RUNNING, kBounds, 1));
    EXPECT_EQ(service.pauses, (std::vector<DWORD>{200}));
}

TEST(ServiceWait, AServiceThatNeverGetsThereIsGivenUpAfterTheTotal) {
    ScriptedService service({{SERVICE_START_PENDING, 0}});
    EXPECT_FALSE(service.Wait(SERVICE_RUNNING, kBounds));
    EXPECT_EQ(service.pauses, std::vector<DWORD>(10, 100));
}

TEST(ServiceWait, AHintLongerThanWhatIsLeftIsCutToIt) {
    ScriptedService service({{SERVICE_STOP_PENDING, 700}});
    EXPECT_FALSE(service.Wait(SERVICE_STOPPED, kBounds));
    EXPECT_EQ(service.pauses, (std::vector<DWORD>{700, 300}));
}

TEST(ServiceWait, AZeroMinimumStillReachesTheBound) {
    ScriptedService service({{SERVICE_STOP_PENDING, 0}});
    EXPECT_FALSE(service.Wait(SERVICE_STOPPED, {0, 5}));
    EXPECT_EQ(service.pauses, std::vector<DWORD>(5, 1));
}
