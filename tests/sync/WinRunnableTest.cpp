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

// Its first thread cannot be resumed, failing with the given error; a copy of that thread's
// handle is kept to see it end.
class FirstResumeFails : public GatedRunnable {
public:
    explicit FirstResumeFails(DWORD error) : m_error(error) {}

    ScopedHandle refused;

protected:
    bool ResumeSuspended(HANDLE thread) override {
        if (refused.IsValid())
            return GatedRunnable::ResumeSuspended(thread);
        HANDLE copy = nullptr;
        ::DuplicateHandle(::GetCurrentProcess(), thread, ::GetCurrentProcess(), &copy, 0, FALSE,
                          DUPLICATE_SAME_ACCESS);
        refused.Reset(copy);
        ::SetLastError(m_error);
        return false;
    }

private:
    const DWORD m_error;
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

TEST(WinRunnable, ThreadThatCannotBeResumedIsEndedAndTheNextStartRuns) {
    const struct {
        DWORD error;
        HRESULT expected;
    } cases[] = {{ERROR_NOT_ENOUGH_MEMORY, static_cast<HRESULT>(0x80070008)}, {0, E_FAIL}};
    for (const auto& c : cases) {
        FirstResumeFails runnable(c.error);
        EXPECT_EQ(runnable.Start(), c.expected) << c.error;
        EXPECT_TRUE(runnable.IsFinished());
        EXPECT_EQ(runnable.GetThread(), nullptr);
        ASSERT_TRUE(runnable.refused.IsValid());
        EXPECT_EQ(::WaitForSingleObject(runnable.refused.Get(), 10000), WAIT_OBJECT_0);

        ASSERT_EQ(runnable.Start(), S_OK);
        ::SetEvent(runnable.gate.Get());
        ASSERT_EQ(::WaitForSingleObject(runnable.GetThread(), 10000), WAIT_OBJECT_0);
        EXPECT_EQ(runnable.runs, 1) << "the refused thread ran";
    }
}
