// Another program's window for the frame tests: shown topmost at the given screen rectangle, it
// counts the WM_VSCROLL messages it gets and ends with that count on WM_CLOSE.
//   WheelTarget.exe <left> <top> <width> <height>
#include <windows.h>

#include <cwchar>

namespace {

int g_scrolls = 0;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL)
        ++g_scrolls;
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5)
        return -1;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ChronalignWheelTarget";
    ::RegisterClassW(&windowClass);
    ::CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Wheel target",
                      WS_POPUP | WS_VISIBLE, std::wcstol(argv[1], nullptr, 10),
                      std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10),
                      std::wcstol(argv[4], nullptr, 10), nullptr, nullptr, windowClass.hInstance,
                      nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&message);
    return g_scrolls;
}
