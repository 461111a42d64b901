#include "platform/CenterWindow.h"

#include <algorithm>

void CenterWindow(HWND window, HWND reference) {
    if (reference == nullptr) {
        HWND owner = ::GetWindow(window, GW_OWNER);
        if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner))
            reference = owner;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(
        ::MonitorFromWindow(reference != nullptr ? reference : window, MONITOR_DEFAULTTONEAREST),
        &monitor);
    const RECT area = monitor.rcWork;
    RECT around = area;
    if (reference != nullptr)
        ::GetWindowRect(reference, &around);

    RECT rect;
    ::GetWindowRect(window, &rect);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    LONG left = (around.left + around.right) / 2 - width / 2;
    LONG top = (around.top + around.bottom) / 2 - height / 2;
    // Inside the work area, its top-left corner first when the window is larger.
    left = std::max(area.left, std::min(left, area.right - width));
    top = std::max(area.top, std::min(top, area.bottom - height));
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
