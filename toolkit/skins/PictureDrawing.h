// Drawing a GDI+ image as a skin: one sub-image at natural size, or up to three pieces that
// keep their margins and stretch the middle.
#pragma once

#include <windows.h>

namespace Gdiplus {
class Image;
}

struct ImagePieceLayout {
    int subWidth = 0;
    int left = 0;
    int top = 0;
    int marginLeft = 0;
    int marginRight = 0;
    int marginTop = 0;
    int marginBottom = 0;
};

// Sub-image `index` (of the layout's width) at natural size from the rect's top-left corner.
void DrawSubImage(HDC dc, Gdiplus::Image& image, const RECT& rect, const ImagePieceLayout& layout,
                  DWORD index);
// The uncut image over the rect: cut off where the rect is smaller, stretched horizontally
// where it is wider, never vertically; fixed margins stay unscaled.
void DrawImagePieces(HDC dc, Gdiplus::Image& image, const RECT& rect,
                     const ImagePieceLayout& layout);
// A source rectangle of the image into a target rectangle, scaled.
void DrawImagePart(HDC dc, Gdiplus::Image& image, const RECT& target, const RECT& source);

// While it lives, images drawn into this device context keep the alpha channel of its 32-bit
// DIB section (premultiplied, as layered windows take it) instead of blending by colour alone.
// For bitmaps that start clear: pixels that GDI drew have no alpha to keep.
class PreserveAlphaScope {
public:
    explicit PreserveAlphaScope(HDC dc);
    PreserveAlphaScope(const PreserveAlphaScope&) = delete;
    PreserveAlphaScope& operator=(const PreserveAlphaScope&) = delete;
    ~PreserveAlphaScope();

    static bool Covers(HDC dc);

private:
    HDC m_previous;
};
