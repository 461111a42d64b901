#include "toolkit/skins/PictureDrawing.h"

#include "toolkit/skins/BitmapBlit.h"
#include "toolkit/skins/BkPicture.h"
#include "toolkit/styles/DisplayScale.h"

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

// Opaque pictures are copied, the others blended; either way stretched without interpolation.
void DrawPieces(HDC dc, const BkPicture& picture, const Piece* pieces, int count) {
    const SIZE size = picture.Size();
    for (int i = 0; i < count; ++i) {
        Piece p = pieces[i];
        if (!ClipToImage(p, size.cx, size.cy))
            continue;
        const RECT target{p.dx, p.dy, p.dx + p.dw, p.dy + p.dh};
        const BlitSource source{picture.Bitmap(), RECT{p.sx, p.sy, p.sx + p.sw, p.sy + p.sh}};
        if (picture.IsOpaque())
            StretchCopy(dc, target, source);
        else
            BlendPremultiplied(dc, target, source);
    }
}

} // namespace

ImagePieceLayout ImagePieceLayout::ScaledTo(int dpi) const {
    return ImagePieceLayout{ScaleToDpi(subWidth, dpi),    ScaleToDpi(left, dpi),
                            ScaleToDpi(top, dpi),         ScaleToDpi(marginLeft, dpi),
                            ScaleToDpi(marginRight, dpi), ScaleToDpi(marginTop, dpi),
                            ScaleToDpi(marginBottom, dpi)};
}

void DrawSubImage(HDC dc, const BkPicture& picture, const RECT& rect,
                  const ImagePieceLayout& layout, DWORD index) {
    const int w = layout.subWidth;
    const int h = picture.Size().cy;
    const Piece piece{
        static_cast<int>(static_cast<DWORD>(w) * index), 0, w, h, rect.left, rect.top, w, h};
    DrawPieces(dc, picture, &piece, 1);
}

void DrawImagePieces(HDC dc, const BkPicture& picture, const RECT& rect,
                     const ImagePieceLayout& layout) {
    const int w = picture.Size().cx;
    const int h = picture.Size().cy;
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
    DrawPieces(dc, picture, pieces, count);
}

void DrawImagePart(HDC dc, const BkPicture& picture, const RECT& target, const RECT& source) {
    const Piece piece{
        source.left, source.top, source.right - source.left, source.bottom - source.top,
        target.left, target.top, target.right - target.left, target.bottom - target.top};
    DrawPieces(dc, picture, &piece, 1);
}
