#include "toolkit/skins/PictureDrawing.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <memory>

namespace {

thread_local HDC t_alphaTarget = nullptr;

// GDI+ draws through a device context as if the surface had no alpha channel. Into a 32-bit
// DIB section whose alpha is to be kept it draws instead through a premultiplied bitmap over
// the same pixels, with the context's clip region and origin carried over.
class DcGraphics {
public:
    explicit DcGraphics(HDC dc) {
        DIBSECTION dib{};
        HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
        if (PreserveAlphaScope::Covers(dc) &&
            ::GetObjectW(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBitsPixel == 32 &&
            dib.dsBm.bmBits != nullptr) {
            ::GdiFlush();
            const INT stride = dib.dsBm.bmWidthBytes;
            BYTE* bits = static_cast<BYTE*>(dib.dsBm.bmBits);
            // Rows run bottom-up unless the height was given negative.
            const bool bottomUp = dib.dsBmih.biHeight > 0;
            BYTE* top =
                bottomUp ? bits + static_cast<size_t>(stride) * (dib.dsBm.bmHeight - 1) : bits;
            m_surface = std::make_unique<Gdiplus::Bitmap>(dib.dsBm.bmWidth, dib.dsBm.bmHeight,
                                                          bottomUp ? -stride : stride,
                                                          PixelFormat32bppPARGB, top);
            m_graphics = std::make_unique<Gdiplus::Graphics>(m_surface.get());
            HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
            if (::GetClipRgn(dc, clip) == 1) {
                Gdiplus::Region region(clip);
                m_graphics->SetClip(&region);
            }
            ::DeleteObject(clip);
            // Logical coordinates, as the context maps them; the clip above is in device ones.
            POINT viewport{}, window{};
            ::GetViewportOrgEx(dc, &viewport);
            ::GetWindowOrgEx(dc, &window);
            m_graphics->TranslateTransform(static_cast<Gdiplus::REAL>(viewport.x - window.x),
                                           static_cast<Gdiplus::REAL>(viewport.y - window.y));
        } else {
            m_graphics = std::make_unique<Gdiplus::Graphics>(dc);
        }
    }

    Gdiplus::Graphics& Get() { return *m_graphics; }

private:
    std::unique_ptr<Gdiplus::Bitmap> m_surface;
    std::unique_ptr<Gdiplus::Graphics> m_graphics;
};

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
    DcGraphics surface(dc);
    Gdiplus::Graphics& graphics = surface.Get();
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

PreserveAlphaScope::PreserveAlphaScope(HDC dc) : m_previous(t_alphaTarget) {
    t_alphaTarget = dc;
}

PreserveAlphaScope::~PreserveAlphaScope() {
    t_alphaTarget = m_previous;
}

bool PreserveAlphaScope::Covers(HDC dc) {
    return dc != nullptr && dc == t_alphaTarget;
}
