// What the frame leaves alone outside itself: the session's foreground lock time-out, which it
// lifts only to come forward, and other programs' windows under the wheel.

#include "tests/fixtures/ChildProcess.h"

#include "FrameSession.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using OtherProgramsTest = FrameDocumentTest;

DWORD ForegroundLockTimeout() {
    DWORD timeout = 0;
    ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    return timeout;
}

void SetForegroundLockTimeout(DWORD timeout) {
    ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                            reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)), 0);
}

// The session's time-out at Windows' default for the test, as it was afterwards.
class WindowsForegroundLock {
public:
    WindowsForegroundLock() : m_saved(ForegroundLockTimeout()) {
        SetForegroundLockTimeout(kWindowsDefault);
    }
    ~WindowsForegroundLock() { SetForegroundLockTimeout(m_saved); }

    static constexpr DWORD kWindowsDefault = 200000;

private:
    DWORD m_saved;
};

TEST_F(OtherProgramsTest, ComesForwardAndPutsTheForegroundLockTimeOutBack) {
    const WindowsForegroundLock lock;
    ASSERT_EQ(ForegroundLockTimeout(), WindowsForegroundLock::kWindowsDefault);
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    EXPECT_EQ(::GetForegroundWindow(), session.frame.m_hWnd);
    EXPECT_EQ(ForegroundLockTimeout(), WindowsForegroundLock::kWindowsDefault);
}

// Counts the pages it is scrolled by, as a window of this program.
struct OwnWheelTarget {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_VSCROLL)
            pages.push_back(LOWORD(wParam));
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    static inline std::vector<WORD> pages;
};

TEST_F(OtherProgramsTest, TheWheelScrollsOnlyThisProgramsWindows) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    // A corner of the screen away from the frame, which sits in the middle.
    const RECT corner{0, 0, 100, 100};
    const POINT inCorner{50, 50};
    const auto wheel = [&](short delta) {
        session.Run([&] {
            ::SendMessageW(session.frame.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta),
                           MAKELPARAM(inCorner.x, inCorner.y));
        });
    };

    ChildProcess other(L"\"" + ProgramDirectory() + L"WheelTarget.exe\" 0 0 100 100");
    ASSERT_TRUE(other.Started());
    HWND otherWindow = nullptr;
    for (int tries = 0; tries < 200 && otherWindow == nullptr; ++tries) {
        otherWindow = ::FindWindowW(L"ChronalignWheelTarget", nullptr);
        ::Sleep(50);
    }
    ASSERT_NE(otherWindow, nullptr);
    ASSERT_EQ(::WindowFromPoint(inCorner), otherWindow);
    wheel(WHEEL_DELTA);
    wheel(-WHEEL_DELTA);
    ::PostMessageW(otherWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(other.Wait(5000), 0u) << "pages scrolled in another program's window";

    // A window of this program in the same place gets its page up and page down.
    WNDCLASSW ownClass{};
    ownClass.lpfnWndProc = OwnWheelTarget::Proc;
    ownClass.hInstance = ::GetModuleHandleW(nullptr);
    ownClass.lpszClassName = L"ChronalignOwnWheelTarget";
    ::RegisterClassW(&ownClass);
    HWND own = nullptr;
    session.Run([&] {
        own = ::CreateWindowExW(WS_EX_TOPMOST, ownClass.lpszClassName, L"", WS_POPUP | WS_VISIBLE,
                                corner.left, corner.top, corner.right, corner.bottom, nullptr,
                                nullptr, ownClass.hInstance, nullptr);
    });
    ASSERT_NE(own, nullptr);
    ASSERT_TRUE(session.WaitFor([&] { return ::WindowFromPoint(inCorner) == own; }));
    wheel(WHEEL_DELTA);
    wheel(-WHEEL_DELTA);
    EXPECT_EQ(OwnWheelTarget::pages, (std::vector<WORD>{SB_PAGEUP, SB_PAGEDOWN}));
    session.Run([&] { ::DestroyWindow(own); });
}

} // namespace
