#include "toolkit/ImagePieces.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>

namespace {

// Source and destination as x, y, width, height.
struct Piece {
    int sx, sy, sw, sh;
    int dx, dy, dw, dh;
};

// Cuts the source to the image, the destination by the same share along each axis, so that
// nothing is drawn for a source beyond the image's edges.
bool ClipToImage(Piece& p, int width, int height) {
    if (p.sw <= 0 || p.sh <= 0 || p.dw <= 0 || p.dh <= 0)
        return false;
    const auto clip = [](int& s, int& sl, int& d, int& dl, int limit) {
        const long long from = std::max(s, 0);
        const long long to = std::min<long long>(static_cast<long long>(s) + sl, limit);
        if (from >= to)
            return false;
        const long long d0 = d + (from - s) * dl / sl;
        const long long d1 = d + (to - s) * dl / sl;
        s = static_cast<int>(from);
        sl = static_cast<int>(to - from);
        d = static_cast<int>(d0);
        dl = static_cast<int>(d1 - d0);
        return dl > 0;
    };
    return clip(p.sx, p.sw, p.dx, p.dw, width) && clip(p.sy, p.sh, p.dy, p.dh, height);
}

void DrawPieces(HDC dc, Gdiplus::Image& image, const Piece* pieces, int count) {
    Gdiplus::Graphics graphics(dc);
    // Mirrored edges keep a stretched strip from fading into transparency at its ends.
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const int width = static_cast<int>(image.GetWidth());
    const int height = static_cast<int>(image.GetHeight());
    for (int i = 0; i < count; ++i) {
        Piece p = pieces[i];
        if (!ClipToImage(p, width, height))
            continue;
        graphics.DrawImage(&image, Gdiplus::Rect(p.dx, p.dy, p.dw, p.dh), p.sx, p.sy, p.sw, p.sh,
                           Gdiplus::UnitPixel, &attributes);
    }
}

} // namespace

void DrawSubImage(HDC dc, Gdiplus::Image& image, const RECT& rect, const ImagePieceLayout& layout,
                  DWORD index) {
    const int w = layout.subWidth;
    const int h = static_cast<int>(image.GetHeight());
    const Piece piece{
        static_cast<int>(static_cast<DWORD>(w) * index), 0, w, h, rect.left, rect.top, w, h};
    DrawPieces(dc, image, &piece, 1);
}

void DrawImagePieces(HDC dc, Gdiplus::Image& image, const RECT& rect,
                     const ImagePieceLayout& layout) {
    const int w = static_cast<int>(image.GetWidth());
    const int h = static_cast<int>(image.GetHeight());
    const int W = rect.right - rect.left;
    const int H = rect.bottom - rect.top;
    const int L = layout.left, T = layout.top;
    const int ml = layout.marginLeft, mr = layout.marginRight;
    const int mt = layout.marginTop, mb = layout.marginBottom;

    Piece pieces[3];
    int count = 0;
    if (ml != 0)
        pieces[count++] = {L, T, ml, H, rect.left, rect.top, ml, H};
    else if (mt != 0)
        pieces[count++] = {L, T, W, mt, rect.left, rect.top, W, mt};

    if (mt != 0 || mb != 0)
        pieces[count++] = {L + ml,
                           T + mt,
                           std::min(w, W) - ml - mr,
                           std::min(h, H) - mt - mb,
                           rect.left + ml,
                           rect.top + mt,
                           W - ml - mr,
                           H - mt - mb};
    else
        pieces[count++] = {L + ml,      T, std::min(w, W) - ml - mr, H, rect.left + ml, rect.top,
                           W - ml - mr, H};

    if (mr != 0)
        pieces[count++] = {w - mr, T, mr, H, rect.right - mr, rect.top, mr, H};
    else if (mb != 0)
        pieces[count++] = {L, h - mb, W, mb, rect.left, rect.bottom - mb, W, mb};
    DrawPieces(dc, image, pieces, count);
}

void DrawImagePart(HDC dc, Gdiplus::Image& image, const RECT& target, const RECT& source) {
    const Piece piece{
        source.left, source.top, source.right - source.left, source.bottom - source.top,
        target.left, target.top, target.right - target.left, target.bottom - target.top};
    DrawPieces(dc, image, &piece, 1);
}
