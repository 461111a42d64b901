#include "toolkit/skins/PictureResample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Along one axis, the source pixels under each target pixel and the share of each.
struct AxisTaps {
    std::vector<int> first; // per target pixel, its first tap
    std::vector<int> source;
    std::vector<float> weight;
};

AxisTaps BoxTaps(int from, int to) {
    AxisTaps taps;
    const double scale = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        taps.first.push_back(static_cast<int>(taps.source.size()));
        const double begin = i * scale, end = (i + 1) * scale;
        for (int j = static_cast<int>(begin); j < from && j < end; ++j) {
            const double covered = std::min<double>(end, j + 1) - std::max<double>(begin, j);
            if (covered > 0) {
                taps.source.push_back(j);
                taps.weight.push_back(static_cast<float>(covered / scale));
            }
        }
    }
    taps.first.push_back(static_cast<int>(taps.source.size()));
    return taps;
}

} // namespace

void ResampleBox(const BYTE* source, SIZE from, BYTE* target, SIZE to) {
    const AxisTaps columns = BoxTaps(from.cx, to.cx);
    const AxisTaps rows = BoxTaps(from.cy, to.cy);
    // Across first, into a buffer of the target's width and the source's height.
    std::vector<float> across(static_cast<size_t>(to.cx) * from.cy * 4, 0.0f);
    for (LONG y = 0; y < from.cy; ++y) {
        const BYTE* row = source + static_cast<size_t>(y) * from.cx * 4;
        float* out = across.data() + static_cast<size_t>(y) * to.cx * 4;
        for (LONG x = 0; x < to.cx; ++x, out += 4) {
            for (int t = columns.first[x]; t < columns.first[x + 1]; ++t) {
                const BYTE* pixel = row + columns.source[t] * 4;
                for (int c = 0; c < 4; ++c)
                    out[c] += pixel[c] * columns.weight[t];
            }
        }
    }
    // Then down, a row at a time, into the target.
    const size_t rowLength = static_cast<size_t>(to.cx) * 4;
    std::vector<float> sum(rowLength);
    for (LONG y = 0; y < to.cy; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int t = rows.first[y]; t < rows.first[y + 1]; ++t) {
            const float* row = across.data() + rows.source[t] * rowLength;
            for (size_t i = 0; i < rowLength; ++i)
                sum[i] += row[i] * rows.weight[t];
        }
        BYTE* out = target + y * rowLength;
        for (size_t i = 0; i < rowLength; ++i)
            out[i] = static_cast<BYTE>(std::clamp(std::lround(sum[i]), 0L, 255L));
    }
}
