// The display scale that a window shows at, asked of the system by the newest means it has.
#pragma once

#include <windows.h>

// The DPI of the window's monitor where the system knows one (GetDpiForWindow on Windows 10,
// GetDpiForMonitor on 8.1), else the system's (also for no window).
int WindowDpi(HWND window);
