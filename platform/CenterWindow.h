// Centring a top-level window, as the framework's window wrapper does.
#pragma once

#include <windows.h>

// Over `reference`, else over the window's owner when that is visible and not minimised, else
// in the work area of the window's monitor; then moved to stay inside that work area.
void CenterWindow(HWND window, HWND reference = nullptr);
