#include "sync/WinRunnable.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// Runs until released, then ends with exit code 42.
class GatedRunnable : public WinMod::AWinRunnable {
public:
    DWORD Run() override {
        ++runs;
        ::WaitForSingleObject(gate.Get(), INFINITE);
        return 42;
    }

    ScopedHandle gate{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> runs{0};
};

} // namespace

TEST(WinRunnable, NeverStartedThreadIsFinishedAndHasNoHandle) {
    GatedRunnable runnable;
    EXPECT_TRUE(runnable.IsFinished());
    EXPECT_EQ(runnable.GetThread(), nullptr);
}

TEST(WinRunnable, StartWhileRunningIsRefusedAndAfterTheEndRunsAgain) {
    GatedRunnable runnable;
    ASSERT_EQ(runnable.Start(), S_OK);
    const HANDLE first = runnable.GetThread();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(runnable.IsFinished());
    EXPECT_EQ(runnable.Start(), static_cast<HRESULT>(0x800704DF));
    EXPECT_EQ(runnable.GetThread(), first);

    ::SetEvent(runnable.gate.Get());
    ASSERT_EQ(::WaitForSingleObject(first, 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(runnable.IsFinished());
    DWORD exitCode = 0;
    ::GetExitCodeThread(first, &exitCode);
    EXPECT_EQ(exitCode, 42u);

    ASSERT_EQ(runnable.Start(), S_OK);
    ASSERT_EQ(::WaitForSingleObject(runnable.GetThread(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(runnable.runs, 2);
}
