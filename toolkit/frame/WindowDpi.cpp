#include "toolkit/frame/WindowDpi.h"

#include "platform/GdiObjects.h"
#include "platform/ScopedLibrary.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
// MDT_EFFECTIVE_DPI is 0.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

} // namespace

int WindowDpi(HWND window) {
    const ScopedLibrary user32(L"user32.dll");
    if (window != nullptr) {
        if (const auto forWindow = user32.Find<GetDpiForWindowFunction>("GetDpiForWindow")) {
            if (const UINT dpi = forWindow(window))
                return static_cast<int>(dpi);
        }
        const ScopedLibrary shcore(L"shcore.dll");
        if (const auto forMonitor = shcore.Find<GetDpiForMonitorFunction>("GetDpiForMonitor")) {
            UINT x = 0, y = 0;
            if (SUCCEEDED(
                    forMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) &&
                x != 0)
                return static_cast<int>(x);
        }
    }
    if (const auto forSystem = user32.Find<GetDpiForSystemFunction>("GetDpiForSystem")) {
        if (const UINT dpi = forSystem())
            return static_cast<int>(dpi);
    }
    WindowDC screen;
    return ::GetDeviceCaps(screen, LOGPIXELSX);
}
