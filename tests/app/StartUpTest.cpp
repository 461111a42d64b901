#include "app/StartUp.h"
#include "tests/fixtures/ChildProcess.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// Ends a moment after it starts, noting that it got to its end.
class BriefRunnable : public WinMod::AWinRunnable {
public:
    DWORD Run() override {
        ::Sleep(200);
        ended = true;
        return 0;
    }

    std::atomic<bool> ended{false};
};

} // namespace

TEST(StartUp, OnlyExactlySlashTSelectsTheInstallRecord) {
    EXPECT_TRUE(IsInstallRecordCommand(L"/t"));
    for (const wchar_t* other : {L"", L"/T", L"/t ", L" /t", L"-t", L"/tt", L"/t /t", L"t"})
        EXPECT_FALSE(IsInstallRecordCommand(other)) << "\"" << other << "\"";
    EXPECT_FALSE(IsInstallRecordCommand(nullptr));
}

TEST(StartUp, ShutDownLetsARunningConfigurationThreadFinish) {
    BriefRunnable configuration;
    WaitForConfigurationThread(configuration); // never started: nothing to wait for
    ASSERT_EQ(configuration.Start(), S_OK);
    WaitForConfigurationThread(configuration);
    EXPECT_TRUE(configuration.ended);
}

TEST(StartUp, ProcessEndsCleanlyWhileTheSyncThreadPauses) {
    EXPECT_EQ(RunToEnd(L"\"" + ProgramDirectory() + L"SyncThreadAtExit.exe\""), 0u);
}
