// Starts the real program while a helper holds its mutex, as a running instance would.
#include "tests/fixtures/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t kCaption[] = L"Tavemark Chronalign";
const wchar_t kReadyEvent[] = L"ChronalignTestHolderReady";

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

std::wstring ProgramCommand(const std::wstring& arguments) {
    return Quoted(ProgramDirectory() + L"Chronalign.exe") + arguments;
}

// Polls a condition that another process makes true, for at most two seconds.
template <typename Condition> bool Eventually(Condition condition) {
    for (int i = 0; i < 100; ++i) {
        if (condition())
            return true;
        ::Sleep(20);
    }
    return condition();
}

class RunningInstance {
public:
    explicit RunningInstance(const std::wstring& caption)
        : m_ready(::CreateEventW(nullptr, TRUE, FALSE, kReadyEvent)),
          m_holder(Quoted(ProgramDirectory() + L"InstanceHolder.exe") + L" \"" + caption + L"\" " +
                   kReadyEvent) {
        m_isReady = m_holder.Started() && ::WaitForSingleObject(m_ready.Get(), 20000) == 0;
        if (caption != L"-")
            m_window = ::FindWindowW(L"ChronalignInstanceHolder", caption.c_str());
    }
    ~RunningInstance() {
        if (m_window != nullptr)
            ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (m_holder.Wait(5000) == STILL_ACTIVE)
            m_holder.Kill();
    }

    bool IsReady() const { return m_isReady; }
    HWND Window() const { return m_window; }

private:
    ScopedHandle m_ready;
    ChildProcess m_holder;
    bool m_isReady = false;
    HWND m_window = nullptr;
};

} // namespace

TEST(SingleInstance, SecondStartRestoresTheRunningWindowAndExitsWithZero) {
    RunningInstance running(kCaption);
    ASSERT_TRUE(running.IsReady());
    ASSERT_NE(running.Window(), nullptr);

    for (const wchar_t* arguments : {L"", L" /t"}) {
        ::ShowWindow(running.Window(), SW_MINIMIZE);
        ASSERT_TRUE(Eventually([&] { return ::IsIconic(running.Window()) != FALSE; }));

        EXPECT_EQ(RunToEnd(ProgramCommand(arguments)), 0u) << arguments;
        EXPECT_TRUE(Eventually([&] { return ::IsIconic(running.Window()) == FALSE; }))
            << "still minimised after a start with \"" << arguments << "\"";
        EXPECT_TRUE(::IsWindowVisible(running.Window()));
    }
}

TEST(SingleInstance, MutexWithoutTheWindowEndsTheSecondStartQuietly) {
    RunningInstance running(L"-");
    ASSERT_TRUE(running.IsReady());
    EXPECT_EQ(RunToEnd(ProgramCommand(L"")), 0u);
    EXPECT_EQ(RunToEnd(ProgramCommand(L" /t")), 0u);
}

TEST(SingleInstance, CaptionMustMatchExactly) {
    RunningInstance running(L"tavemark chronalign");
    ASSERT_TRUE(running.IsReady());
    ASSERT_NE(running.Window(), nullptr);
    ASSERT_TRUE(::IsIconic(running.Window()));
    EXPECT_EQ(RunToEnd(ProgramCommand(L"")), 0u);
    ::Sleep(300);
    EXPECT_TRUE(::IsIconic(running.Window()));
}
