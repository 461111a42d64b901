// A plain 490 x 500 window painted white, started the way the program is, for comparison.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(2);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"BareWindow";
    ::RegisterClassW(&windowClass);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - 490) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - 500) / 2;
    HWND window = ::CreateWindowExW(0, L"BareWindow", L"Bare Window", WS_POPUP | WS_VISIBLE, x, y,
                                    490, 500, nullptr, nullptr, instance, nullptr);
    ::UpdateWindow(window);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&message);
    return static_cast<int>(message.wParam);
}
