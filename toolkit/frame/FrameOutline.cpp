#include "toolkit/frame/FrameOutline.h"

#include <algorithm>

std::vector<OutlineSpan> OutlineSpans(int width, int height, int lineWidth, int bevel) {
    std::vector<OutlineSpan> spans;
    if (width <= 0 || height <= 0)
        return spans;
    for (int y = 0; y < height; ++y) {
        // How far the outer edge stands in from the side: the bevel, less the rows from the
        // nearer of the top and the bottom.
        const int fromEdge = std::min(y, height - 1 - y);
        const int in = std::max(0, bevel - fromEdge);
        if (fromEdge < lineWidth || in + lineWidth >= width - in - lineWidth) {
            // A row of the top or bottom line, whole from bevel to bevel.
            spans.push_back({y, in, width - in});
            continue;
        }
        spans.push_back({y, in, in + lineWidth});
        spans.push_back({y, width - in - lineWidth, width - in});
    }
    for (OutlineSpan& span : spans) {
        span.left = std::max(span.left, 0);
        span.right = std::min(span.right, width);
    }
    return spans;
}
