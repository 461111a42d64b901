// The "pos" expression of elements: up to four comma-separated items, each an optional "|"
// (from the centre), an optional "-" (from the far edge) and a number. Free of platform state.
#pragma once

#include <cstdint>

struct PositionItem {
    bool centred = false;
    bool fromFarEdge = false;
    int32_t offset = 0;
};

// Reads at most four items into `items` (the rest set to 0) and returns how many were read:
// 0 for an empty text. Characters after a fourth comma are ignored; a missing or malformed
// number counts as 0.
int ParsePositionItems(const char* text, PositionItem items[4]);

// The item measured along an extent of device pixels at `dpi`: N, E - N, E / 2 + N or E / 2 - N,
// with N, a 96-DPI number, scaled to the dpi.
int32_t ResolvePositionItem(const PositionItem& item, int32_t extent, int dpi);
