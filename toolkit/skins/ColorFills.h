// Filling rectangles with one colour or a two-colour gradient.
#pragma once

#include "toolkit/styles/HighContrast.h"

#include <windows.h>

// Fills the rect from `from` to `to`, left to right or top to bottom, with gdi32's own gradient
// fill (the same as msimg32's, which is not among the libraries Windows always takes from the
// system folder); false when it fails.
bool FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical);

// Fills the rect with the colour (an opaque text-out of nothing: no brush to make).
void FillSolid(HDC dc, const RECT& rect, COLORREF color);

// Fills the rect with a high-contrast role's face and frames it in the role's ink: the plain
// look of a button under such a theme.
void FillFramed(HDC dc, const RECT& rect, ContrastColors colors);
