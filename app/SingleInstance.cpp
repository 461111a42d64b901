#include "app/SingleInstance.h"

#include <windows.h>

#include <cstddef>
#include <cwchar>

namespace {

HANDLE g_instanceMutex = nullptr;

using WindowTextReader = int(WINAPI*)(HWND, LPWSTR, int);

// The window's class name or caption, as the reader gives it, is exactly the expected text
// (FindWindow would ignore case).
template <std::size_t Size>
bool ReadsExactly(WindowTextReader read, HWND window, const wchar_t (&expected)[Size]) {
    wchar_t text[Size + 1];
    const int length = read(window, text, static_cast<int>(Size + 1));
    return length + 1 == static_cast<int>(Size) && std::wcscmp(text, expected) == 0;
}

// Class and caption both, so that no other program's window is taken for the running instance.
BOOL CALLBACK MatchWindow(HWND window, LPARAM found) {
    if (!ReadsExactly(::GetClassNameW, window, kMainWindowClass) ||
        !ReadsExactly(::GetWindowTextW, window, kMainWindowCaption))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND FindRunningInstance() {
    HWND found = nullptr;
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

bool CheckSingleInstance() {
    g_instanceMutex = ::CreateMutexW(nullptr, TRUE, kInstanceMutexName);
    if (::GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    ::CloseHandle(g_instanceMutex);
    g_instanceMutex = nullptr;

    if (HWND running = FindRunningInstance()) {
        if (::IsIconic(running))
            ::ShowWindow(running, SW_RESTORE);
        ::SwitchToThisWindow(::GetLastActivePopup(running), TRUE);
    }
    return false;
}

void ReleaseSingleInstance() {
    if (g_instanceMutex == nullptr)
        return;
    ::ReleaseMutex(g_instanceMutex);
    ::CloseHandle(g_instanceMutex);
    g_instanceMutex = nullptr;
}
