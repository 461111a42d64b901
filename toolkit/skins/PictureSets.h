// The scales that pictures come drawn at, and where each scale's set lies among the resources:
// the picture of id `id` at the k-th scale is the resource id + k * kPictureSetIdStep.
#pragma once

#include <windows.h>

#include <vector>

constexpr UINT kPictureSetIdStep = 1000;
// 100, 125, 150, 175 and 200 %.
constexpr int kPictureSetDpis[] = {96, 120, 144, 168, 192};

struct PictureSet {
    UINT id;
    int dpi;
};

// The sets to look in, best first, for the picture `id` wanted at `dpi` before its 100 % one:
// from the nearest at or above the dpi upwards, then from the largest below it downwards, as
// far as the 100 % set. None below 96 DPI.
std::vector<PictureSet> PictureSetsBefore100(UINT id, int dpi);

// A picture's size at `dpi` from its size at 96 DPI: each axis scaled alone, except that a
// picture cut into sub-images `subWidth` wide is as many scaled sub-images wide, so that it
// still cuts evenly.
SIZE ScaledPictureSize(SIZE size, int subWidth, int dpi);
