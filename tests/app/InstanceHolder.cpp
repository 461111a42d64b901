// Plays the running instance for the single-instance tests: holds the program's mutex and,
// when asked, shows a minimised window with the given caption, of the program's window class or
// of another (Explorer's, say, whose window on the install folder has the program's caption).
// It signals the named event of its second argument when ready and ends on WM_CLOSE.
//   InstanceHolder.exe <caption or "-" for no window> <ready event name> [<window class>]
#include "app/SingleInstance.h"

#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK HolderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4)
        return 2;
    const std::wstring caption = argv[1];
    ::CreateMutexW(nullptr, TRUE, kInstanceMutexName);

    HWND window = nullptr;
    if (caption != L"-") {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = HolderProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = argc == 4 ? argv[3] : kMainWindowClass;
        ::RegisterClassW(&windowClass);
        window =
            ::CreateWindowW(windowClass.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, 100,
                            100, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
        ::ShowWindow(window, SW_SHOWMINIMIZED);
    }

    if (HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2])) {
        ::SetEvent(ready);
        ::CloseHandle(ready);
    }

    MSG message;
    if (window == nullptr) {
        // Without a window, WM_CLOSE cannot reach us: the test ends the process.
        ::Sleep(INFINITE);
    }
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
