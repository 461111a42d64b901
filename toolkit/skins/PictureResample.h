// Resampling premultiplied 32-bit pixels with a box filter: each target pixel is the average
// of the source area under it, weighted by how much of each source pixel it covers. Averaging
// premultiplied values keeps the colour of transparent pixels from bleeding into their
// neighbours.
#pragma once

#include <windows.h>

// Both buffers hold rows top-down, four bytes a pixel, without padding.
void ResampleBox(const BYTE* source, SIZE from, BYTE* target, SIZE to);
