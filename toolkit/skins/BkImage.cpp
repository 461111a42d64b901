#include "toolkit/skins/BkImage.h"

#include "platform/DibInfo.h"
#include "toolkit/skins/BitmapBlit.h"

void CBkImage::Attach(HBITMAP bitmap) {
    Release();
    m_bitmap = bitmap;
}

bool CBkImage::CreateBitmap(HDC compatible, int width, int height) {
    Release();
    const BITMAPINFO info = DibInfo(width, height, 32);
    // A new DIB section is zero-filled: black.
    m_bitmap = ::CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_owned = m_bitmap != nullptr;
    return m_owned;
}

void CBkImage::Release() {
    if (m_owned)
        ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_owned = false;
    m_bits = nullptr;
}

SIZE CBkImage::GetBitmapSize() const {
    return BitmapSize(m_bitmap);
}

bool CBkImage::SubImagePart(int index, RECT& part) const {
    const SIZE size = GetBitmapSize();
    if (index == -1) {
        part = RECT{0, 0, size.cx, size.cy};
        return true;
    }
    if (m_subWidth <= 0 || index < 0)
        return false;
    part = RECT{index * m_subWidth, 0, (index + 1) * m_subWidth, size.cy};
    return true;
}

bool CBkImage::Draw(HDC dc, int x, int y, int index) const {
    RECT part;
    if (m_bitmap == nullptr || !SubImagePart(index, part))
        return false;
    const RECT target{x, y, x + part.right - part.left, y + part.bottom - part.top};
    return BlitPart(dc, target, part);
}

bool CBkImage::BlitPart(HDC dc, const RECT& target, const RECT& part) const {
    if (m_bitmap == nullptr || ::IsRectEmpty(&target) || ::IsRectEmpty(&part))
        return false;
    const BlitSource source{m_bitmap, part};
    switch (m_blitMode) {
    case kBlitCopy:
        return StretchCopy(dc, target, source);
    case kBlitColorKey:
        return BlitColorKey(dc, target, source, m_maskColor);
    case kBlitAlpha:
        if (target.right - target.left != part.right - part.left ||
            target.bottom - target.top != part.bottom - part.top)
            return false;
        return BlitAlpha(dc, target.left, target.top, source);
    default:
        return false;
    }
}
