#include "app/SingleInstance.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

namespace {

HANDLE g_instanceMutex = nullptr;

// Both exactly (FindWindow compares captions without regard to case), so that no other
// program's window is taken for the running instance.
BOOL CALLBACK MatchWindow(HWND window, LPARAM found) {
    wchar_t className[std::size(kMainWindowClass) + 1];
    const int classLength =
        ::GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (classLength + 1 != static_cast<int>(std::size(kMainWindowClass)) ||
        std::wcscmp(className, kMainWindowClass) != 0)
        return TRUE;
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
