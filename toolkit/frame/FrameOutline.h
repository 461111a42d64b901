// The frame's outline, a dark translucent line round the client area with bevelled corners, as
// the pixels it covers. Free of platform state.
#pragma once

#include <vector>

struct OutlineSpan {
    int y;
    int left;  // the first pixel
    int right; // past the last pixel
};

// The pixels of a line `lineWidth` thick along the edges of a width x height area, the corners
// cut by `bevel` pixels: the rows of spans, each pixel in one span only. At a line of 1 pixel
// these are the pixels of a polyline through (b, 0), (w - 1 - b, 0), (w - 1, b) and on round.
std::vector<OutlineSpan> OutlineSpans(int width, int height, int lineWidth, int bevel);
