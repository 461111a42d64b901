#include "platform/AppModule.h"

#include <gtest/gtest.h>

#include <thread>

namespace WTL {
class CMessageLoop {};
} // namespace WTL

TEST(AppModule, InitRecordsTheInstanceAndTheMainThread) {
    WTL::CAppModule module;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    EXPECT_EQ(module.Init(nullptr, instance), S_OK);
    EXPECT_EQ(module.GetModuleInstance(), instance);
    EXPECT_EQ(module.GetMainThreadId(), ::GetCurrentThreadId());
}

TEST(AppModule, KeepsOneMessageLoopPerThread) {
    WTL::CAppModule module;
    WTL::CMessageLoop mainLoop, otherLoop, workerLoop;
    EXPECT_FALSE(module.AddMessageLoop(&mainLoop)) << "no table before Init";

    module.Init(nullptr, ::GetModuleHandleW(nullptr));
    EXPECT_EQ(module.GetMessageLoop(), nullptr);
    EXPECT_TRUE(module.AddMessageLoop(&mainLoop));
    EXPECT_FALSE(module.AddMessageLoop(&otherLoop));
    EXPECT_EQ(module.GetMessageLoop(), &mainLoop);

    DWORD workerId = 0;
    std::thread([&] {
        workerId = ::GetCurrentThreadId();
        EXPECT_EQ(module.GetMessageLoop(), nullptr);
        EXPECT_TRUE(module.AddMessageLoop(&workerLoop));
    }).join();
    EXPECT_EQ(module.GetMessageLoop(workerId), &workerLoop);
    EXPECT_EQ(module.GetMessageLoop(), &mainLoop);

    EXPECT_TRUE(module.RemoveMessageLoop());
    EXPECT_FALSE(module.RemoveMessageLoop());
    EXPECT_EQ(module.GetMessageLoop(), nullptr);
}

TEST(AppModule, TermReleasesTheTable) {
    WTL::CAppModule module;
    WTL::CMessageLoop loop;
    module.Init(nullptr, ::GetModuleHandleW(nullptr));
    module.AddMessageLoop(&loop);
    module.Term();
    EXPECT_EQ(module.GetMessageLoop(), nullptr);
    EXPECT_FALSE(module.AddMessageLoop(&loop));
    module.Term();
}
