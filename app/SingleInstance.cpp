#include "app/SingleInstance.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

namespace {

// FindWindow compares captions without regard to case; the running instance is found only by
// its exact caption.
BOOL CALLBACK MatchCaption(HWND window, LPARAM found) {
    wchar_t caption[std::size(kMainWindowCaption) + 1];
    const int length = ::GetWindowTextW(window, caption, static_cast<int>(std::size(caption)));
    if (length + 1 != static_cast<int>(std::size(kMainWindowCaption)) ||
        std::wcscmp(caption, kMainWindowCaption) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND FindRunningInstance() {
    HWND found = nullptr;
    ::EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

bool CheckSingleInstance() {
    // Never closed: the mutex marks this process as the running instance until it ends.
    ::CreateMutexW(nullptr, TRUE, kInstanceMutexName);
    if (::GetLastError() != ERROR_ALREADY_EXISTS)
        return true;

    if (HWND running = FindRunningInstance()) {
        if (::IsIconic(running))
            ::ShowWindow(running, SW_RESTORE);
        ::SwitchToThisWindow(::GetLastActivePopup(running), TRUE);
    }
    return false;
}
