// Two-tone pictures, drawn in a high-contrast theme's colours: white marks what takes the ink
// (a mark, an outline), black what takes the face, greys blend the two, and alpha says how much
// of the pixel the picture covers.
#pragma once

#include <windows.h>

// Both buffers hold premultiplied BGRA pixels; `face` and `ink` are colour values (0x00BBGGRR).
void RecolourTwoTone(const BYTE* source, BYTE* target, size_t pixels, COLORREF face, COLORREF ink);
