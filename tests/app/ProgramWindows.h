// The top-level windows that carry the program's caption, in every process: its skinned
// window, and the message boxes it shows, which take their owner's caption.
#pragma once

#include <windows.h>

#include <vector>

struct CaptionedWindows {
    std::vector<HWND> frames;
    std::vector<HWND> messageBoxes;
};

// Exact, case-sensitive caption match, hidden windows included.
CaptionedWindows FindCaptionedWindows(const wchar_t* caption);
