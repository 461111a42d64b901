// Starts a copy of the real program while the program's window is open, or while a helper holds
// its mutex as a running instance would.
#include "app/SingleInstance.h"
#include "tests/app/ProgramRun.h"
#include "tests/app/ProgramWindows.h"
#include "tests/fixtures/ChildProcess.h"
#include "tests/fixtures/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

const wchar_t kCaption[] = L"Tavemark Chronalign";
const wchar_t kReadyEvent[] = L"ChronalignTestHolderReady";

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
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

size_t ProgramWindowCount() {
    return FindCaptionedWindows(kCaption).frames.size();
}

// The second start, from a copy of its own.
class SecondStart {
public:
    SecondStart() { m_copied = m_directory.CopyProgram(L"Chronalign.exe"); }

    bool IsReady() const { return m_copied; }
    ProgramRun Run(const std::wstring& arguments) const {
        return RunProgramIn(m_directory.Path(), arguments);
    }
    // Runs it to its end, counting the program windows meanwhile: the exit code and the most
    // windows seen at once.
    std::pair<DWORD, size_t> RunCountingWindows(const std::wstring& arguments) const {
        ChildProcess child(Quoted(m_directory.Path() + L"Chronalign.exe") + arguments);
        size_t most = ProgramWindowCount();
        DWORD code = STILL_ACTIVE;
        for (int poll = 0; poll < 500 && code == STILL_ACTIVE; ++poll) {
            code = child.Wait(20);
            most = std::max(most, ProgramWindowCount());
        }
        child.Kill();
        return {code, most};
    }
    bool WroteInstallRecord() const { return m_directory.Exists(L"tockwell.ini"); }

private:
    ScratchDirectory m_directory;
    bool m_copied = false;
};

// The program's own window, from the build of it whose time servers are on loopback.
class RunningProgram {
public:
    RunningProgram() : m_program(Quoted(ProgramDirectory() + L"ChronalignLoopback.exe")) {
        for (int poll = 0; poll < 1000 && m_window == nullptr; ++poll) {
            const CaptionedWindows windows = FindCaptionedWindows(kCaption);
            if (!windows.frames.empty() && ::IsWindowVisible(windows.frames.front()))
                m_window = windows.frames.front();
            else
                ::Sleep(20);
        }
    }
    ~RunningProgram() {
        if (m_window != nullptr)
            ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (m_program.Wait(5000) == STILL_ACTIVE)
            m_program.Kill();
    }

    HWND Window() const { return m_window; }

private:
    ChildProcess m_program;
    HWND m_window = nullptr;
};

// Holds the mutex and, unless the caption is "-", shows a minimised window of that class.
class RunningInstance {
public:
    explicit RunningInstance(const std::wstring& caption,
                             const std::wstring& windowClass = kMainWindowClass)
        : m_ready(::CreateEventW(nullptr, TRUE, FALSE, kReadyEvent)),
          m_holder(Quoted(ProgramDirectory() + L"InstanceHolder.exe") + L" \"" + caption + L"\" " +
                   kReadyEvent + L" " + windowClass) {
        m_isReady = m_holder.Started() && ::WaitForSingleObject(m_ready.Get(), 20000) == 0;
        if (caption != L"-")
            m_window = ::FindWindowW(windowClass.c_str(), caption.c_str());
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
    RunningProgram running;
    ASSERT_NE(running.Window(), nullptr);
    SecondStart second;
    ASSERT_TRUE(second.IsReady());

    for (const wchar_t* arguments : {L"", L" /t"}) {
        ::ShowWindow(running.Window(), SW_MINIMIZE);
        ASSERT_TRUE(Eventually([&] { return ::IsIconic(running.Window()) != FALSE; }));

        const auto [code, mostWindows] = second.RunCountingWindows(arguments);
        EXPECT_EQ(code, 0u) << arguments;
        EXPECT_EQ(mostWindows, 1u) << "a second window with \"" << arguments << "\"";
        EXPECT_TRUE(Eventually([&] { return ::IsIconic(running.Window()) == FALSE; }))
            << "still minimised after a start with \"" << arguments << "\"";
        EXPECT_TRUE(::IsWindowVisible(running.Window()));
    }
    EXPECT_FALSE(second.WroteInstallRecord());
}

TEST(SingleInstance, MutexWithoutTheWindowEndsTheSecondStartQuietly) {
    RunningInstance running(L"-");
    ASSERT_TRUE(running.IsReady());
    SecondStart second;
    ASSERT_TRUE(second.IsReady());
    for (const wchar_t* arguments : {L"", L" /t"}) {
        const ProgramRun run = second.Run(arguments);
        EXPECT_EQ(run.exitCode, 0u) << arguments;
        EXPECT_FALSE(run.showedWindow) << arguments;
        EXPECT_EQ(run.otherWindows, std::vector<std::wstring>()) << arguments;
    }
    EXPECT_FALSE(second.WroteInstallRecord());
}

// Once the window is gone the program lets go of the instance, so that a new start runs while
// it finishes its work; here the test program plays the instance.
TEST(SingleInstance, ReleasedInstanceLetsANewStartRun) {
    ASSERT_TRUE(CheckSingleInstance());
    // Let go of whatever happens, for the tests that follow.
    const struct Releaser {
        ~Releaser() { ReleaseSingleInstance(); }
    } releaser;
    SecondStart second;
    ASSERT_TRUE(second.IsReady());
    EXPECT_EQ(second.Run(L" /t").exitCode, 0u);
    EXPECT_FALSE(second.WroteInstallRecord()) << "ran beside the instance";
    ReleaseSingleInstance();
    EXPECT_EQ(second.Run(L" /t").exitCode, 0u);
    EXPECT_TRUE(second.WroteInstallRecord()) << "still held";
}

// Only the program's window class with its exact caption is the running instance: not the
// caption in another case, nor Explorer's window on the program's folder, captioned alike.
TEST(SingleInstance, ClassAndCaptionMustMatchExactly) {
    const struct {
        const wchar_t* caption;
        const wchar_t* windowClass;
    } kOthers[] = {{L"tavemark chronalign", kMainWindowClass},
                   {L"Tavemark Chronalign", L"CabinetWClass"}};
    SecondStart second;
    ASSERT_TRUE(second.IsReady());
    for (const auto& other : kOthers) {
        RunningInstance running(other.caption, other.windowClass);
        ASSERT_TRUE(running.IsReady());
        ASSERT_NE(running.Window(), nullptr);
        ASSERT_TRUE(::IsIconic(running.Window()));
        const ProgramRun run = second.Run(L"");
        EXPECT_EQ(run.exitCode, 0u) << other.windowClass;
        EXPECT_FALSE(run.showedWindow) << other.windowClass;
        EXPECT_EQ(run.otherWindows, std::vector<std::wstring>()) << other.windowClass;
        ::Sleep(300);
        EXPECT_TRUE(::IsIconic(running.Window())) << other.windowClass;
    }
}
