#include "app/StartUp.h"
#include "tests/fixtures/ChildProcess.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// Ends a moment after it starts, noting that it got to its end; on its way it sends a message
// to a window of the thread that waits for it, which a reader of the window does as well.
class BriefRunnable : public WinMod::AWinRunnable {
public:
    explicit BriefRunnable(HWND waitersWindow) : m_waitersWindow(waitersWindow) {}

    DWORD Run() override {
        ::Sleep(200);
        DWORD_PTR result = 0;
        answered =
            ::SendMessageTimeoutW(m_waitersWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
        ended = true;
        return 0;
    }

    std::atomic<bool> answered{false};
    std::atomic<bool> ended{false};

private:
    HWND m_waitersWindow;
};

} // namespace

TEST(StartUp, OnlyExactlySlashTSelectsTheInstallRecord) {
    EXPECT_TRUE(IsInstallRecordCommand(L"/t"));
    for (const wchar_t* other : {L"", L"/T", L"/t ", L" /t", L"-t", L"/tt", L"/t /t", L"t"})
        EXPECT_FALSE(IsInstallRecordCommand(other)) << "\"" << other << "\"";
    EXPECT_FALSE(IsInstallRecordCommand(nullptr));
}

TEST(StartUp, ShutDownLetsARunningConfigurationThreadFinishAnsweringMessages) {
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    BriefRunnable configuration(window);
    WaitForConfigurationThread(configuration); // never started: nothing to wait for
    ASSERT_EQ(configuration.Start(), S_OK);
    WaitForConfigurationThread(configuration);
    EXPECT_TRUE(configuration.ended);
    EXPECT_TRUE(configuration.answered) << "the wait did not dispatch messages";
    ::DestroyWindow(window);
}

TEST(StartUp, ProcessEndsCleanlyWhileTheSyncThreadPauses) {
    EXPECT_EQ(RunToEnd(L"\"" + ProgramDirectory() + L"SyncThreadAtExit.exe\""), 0u);
}
