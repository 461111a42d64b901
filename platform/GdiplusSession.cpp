#include "platform/GdiplusSession.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

void EnsureGdiplusStarted() {
    static const bool started = [] {
        // Version 1, no debug callback; GDI+ runs its own background thread.
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    (void)started;
}
