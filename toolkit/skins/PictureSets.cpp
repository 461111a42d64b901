#include "toolkit/skins/PictureSets.h"

#include "toolkit/styles/DisplayScale.h"

#include <iterator>

std::vector<PictureSet> PictureSetsBefore100(UINT id, int dpi) {
    std::vector<PictureSet> sets;
    if (dpi <= kPictureSetDpis[0])
        return sets;
    const UINT count = static_cast<UINT>(std::size(kPictureSetDpis));
    for (UINT k = 1; k < count; ++k) {
        if (kPictureSetDpis[k] >= dpi)
            sets.push_back({id + k * kPictureSetIdStep, kPictureSetDpis[k]});
    }
    for (UINT k = count - 1; k >= 1; --k) {
        if (kPictureSetDpis[k] < dpi)
            sets.push_back({id + k * kPictureSetIdStep, kPictureSetDpis[k]});
    }
    return sets;
}

SIZE ScaledPictureSize(SIZE size, int subWidth, int dpi) {
    const LONG width = subWidth > 0 && size.cx >= subWidth
                           ? size.cx / subWidth * ScaleToDpi(subWidth, dpi)
                           : ScaleToDpi(size.cx, dpi);
    return SIZE{width, ScaleToDpi(size.cy, dpi)};
}
