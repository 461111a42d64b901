// Filling rectangles with one colour or a two-colour gradient.
#pragma once

#include <windows.h>

// Fills the rect from `from` to `to`, left to right or top to bottom. The library is loaded
// for the call and released after it; false when it or the function is missing.
bool FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical);

// Fills the rect with the colour (an opaque text-out of nothing: no brush to make).
void FillSolid(HDC dc, const RECT& rect, COLORREF color);
