// Drawing a decoded picture as a skin: one sub-image at natural size, or up to three pieces that
// keep their margins and stretch the middle.
#pragma once

#include <windows.h>

class BkPicture;

// Pixels of the picture: numbers of the skin list at 96 DPI, scaled with their picture.
struct ImagePieceLayout {
    int subWidth = 0;
    int left = 0;
    int top = 0;
    int marginLeft = 0;
    int marginRight = 0;
    int marginTop = 0;
    int marginBottom = 0;

    // The layout of the same picture drawn for `dpi`.
    ImagePieceLayout ScaledTo(int dpi) const;
};

// Sub-image `index` (of the layout's width) at natural size from the rect's top-left corner.
void DrawSubImage(HDC dc, const BkPicture& picture, const RECT& rect,
                  const ImagePieceLayout& layout, DWORD index);
// The uncut picture over the rect: cut off where the rect is smaller, stretched horizontally
// where it is wider, never vertically; fixed margins stay unscaled.
void DrawImagePieces(HDC dc, const BkPicture& picture, const RECT& rect,
                     const ImagePieceLayout& layout);
// A source rectangle of the picture into a target rectangle, scaled.
void DrawImagePart(HDC dc, const BkPicture& picture, const RECT& target, const RECT& source);
