#include "toolkit/skins/ColorFills.h"

#include "platform/GdiObjects.h"

namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color) {
    // Components widen to 16 bits.
    return TRIVERTEX{x,
                     y,
                     static_cast<COLOR16>(GetRValue(color) << 8),
                     static_cast<COLOR16>(GetGValue(color) << 8),
                     static_cast<COLOR16>(GetBValue(color) << 8),
                     0};
}

} // namespace

bool FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical) {
    TRIVERTEX vertices[2] = {Vertex(rect.left, rect.top, from),
                             Vertex(rect.right, rect.bottom, to)};
    GRADIENT_RECT mesh{0, 1};
    return ::GdiGradientFill(dc, vertices, 2, &mesh, 1,
                             vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H) != FALSE;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void FillFramed(HDC dc, const RECT& rect, ContrastColors colors) {
    FillSolid(dc, rect, colors.face);
    ScopedGdiObject<HBRUSH> ink(::CreateSolidBrush(colors.ink));
    ::FrameRect(dc, &rect, ink.Get());
}
