#include "toolkit/skins/BkImageSkin.h"

#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/ElementState.h"
#include "toolkit/skins/ColorFills.h"

HRESULT CBkImageSkin::SetAttribute(const std::string& name, const std::string& value,
                                   bool loading) {
    const HRESULT taken = CBkSkinBase::SetAttribute(name, value, loading);
    if (SUCCEEDED(taken))
        return taken;
    const char* text = value.c_str();
    if (name == "src") {
        m_source = value;
    } else if (name == "mode") {
        if (value == "none")
            SetBlitMode(kBlitCopy);
        else if (value == "mask")
            SetBlitMode(kBlitColorKey);
        else if (value == "alpha")
            SetBlitMode(kBlitAlpha);
        else
            return E_FAIL;
    } else if (name == "maskcolor") {
        SetMaskColor(ParseColor(text));
    } else if (name == "subwidth") {
        m_subWidth = ParseDecimal(text);
        SetSubWidth(AtBitmapDpi(m_subWidth));
    } else if (name == "stretch-x") {
        m_stretchX = ParseDecimal(text);
        return S_FALSE;
    } else if (name == "stretch-y") {
        m_stretchY = ParseDecimal(text);
        return S_FALSE;
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkImageSkin::Fetch() {
    m_bitmapDpi = CurrentDpi();
    Attach(BkBmpPool::Instance().GetBitmap(static_cast<UINT>(ParseDecimal(m_source.c_str())),
                                           m_bitmapDpi, m_subWidth));
    SetSubWidth(AtBitmapDpi(m_subWidth));
}

bool CBkImageSkin::Prepare() {
    if (!m_bPrepared) {
        Fetch();
        m_bPrepared = GetBitmap() != nullptr;
    }
    return m_bPrepared != 0;
}

void CBkImageSkin::FollowDpi() {
    if (m_bPrepared && m_bitmapDpi != CurrentDpi())
        Fetch();
}

void CBkImageSkin::Draw(HDC dc, const RECT& rect, DWORD state) {
    FollowDpi();
    const int index = static_cast<int>(state);
    if (IsHighContrast()) {
        // What the picture would cover: a sub-image, or the whole bitmap for index -1.
        if (GetBitmap() != nullptr && (GetSubWidth() != 0 || index == -1)) {
            const SIZE size = index == -1 && m_stretchX == 0 ? GetBitmapSize() : GetSkinSize();
            FillPictureArea(dc, RECT{rect.left, rect.top, rect.left + size.cx, rect.top + size.cy},
                            LookOfSubImage(state));
        }
        return;
    }
    if (m_stretchX == 0 || m_stretchY == 0) {
        CBkImage::Draw(dc, rect.left, rect.top, index);
        return;
    }
    RECT part;
    if (GetBlitMode() == kBlitAlpha || !SubImagePart(index, part))
        return;
    const RECT target{rect.left, rect.top, rect.left + AtBitmapDpi(m_stretchX),
                      rect.top + AtBitmapDpi(m_stretchY)};
    BlitPart(dc, target, part);
}

SIZE CBkImageSkin::GetSkinSize() {
    FollowDpi();
    if (m_stretchX != 0 && m_stretchY != 0)
        return SIZE{AtBitmapDpi(m_stretchX), AtBitmapDpi(m_stretchY)};
    const SIZE size = GetBitmapSize();
    return SIZE{GetSubWidth() != 0 ? GetSubWidth() : size.cx, size.cy};
}

HRESULT CBkSkinImgFrame::SetAttribute(const std::string& name, const std::string& value,
                                      bool loading) {
    const HRESULT taken = CBkSkinBase::SetAttribute(name, value, loading);
    if (SUCCEEDED(taken))
        return taken;
    if (SUCCEEDED(m_image.SetAttribute(name, value, loading)))
        return S_OK;
    const char* text = value.c_str();
    if (name == "crbg") {
        m_crBg = ParseColor(text);
    } else if (name == "left") {
        m_left = ParseDecimal(text);
    } else if (name == "top") {
        m_top = ParseDecimal(text);
    } else if (name == "part") {
        static const struct {
            const char* name;
            UINT parts;
        } kParts[] = {{"all", 0x2F},  {"top", 0x2B},    {"middle", 0x2A}, {"bottom", 0x2E},
                      {"left", 0x0F}, {"center", 0x07}, {"right", 0x27}};
        for (const auto& part : kParts) {
            if (value == part.name) {
                m_parts = part.parts;
                return S_OK;
            }
        }
        return E_FAIL;
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkSkinImgFrame::Draw(HDC dc, const RECT& rect, DWORD) {
    if (IsHighContrast()) {
        // The frame's pictures are not drawn; what the role or the centre fills is.
        if (m_contrastRole != ContrastRole::kUnset || m_crBg != kNoColor)
            FillSolid(dc, rect, ContrastColorsFor(ContrastLook::kNormal).face);
        return;
    }
    m_image.FollowDpi();
    const SIZE size = m_image.GetBitmapSize();
    const int w = size.cx, h = size.cy;
    const int a = m_image.AtBitmapDpi(m_left), b = m_image.AtBitmapDpi(m_top);
    const bool top = (m_parts & 1) != 0, bottom = (m_parts & 4) != 0;
    const bool left = (m_parts & 8) != 0, right = (m_parts & 32) != 0;
    const RECT inner{rect.left + (left ? a : 0), rect.top + (top ? b : 0),
                     rect.right - (right ? w - a - 1 : 0), rect.bottom - (bottom ? h - b - 1 : 0)};

    if (m_image.GetBitmap() != nullptr && m_image.GetBlitMode() != CBkImage::kBlitAlpha) {
        // Columns [0, a), a, [a + 1, w) and rows [0, b), b, [b + 1, h) of the bitmap.
        const int columns[4] = {0, a, a + 1, w};
        const int rows[4] = {0, b, b + 1, h};
        const int targetColumns[4] = {rect.left, inner.left, inner.right, rect.right};
        const int targetRows[4] = {rect.top, inner.top, inner.bottom, rect.bottom};
        const bool columnPresent[3] = {left, true, right};
        const bool rowPresent[3] = {top, true, bottom};
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                // The centre comes from "crbg", not from the image.
                if ((row == 1 && column == 1) || !rowPresent[row] || !columnPresent[column])
                    continue;
                const RECT part{columns[column], rows[row], columns[column + 1], rows[row + 1]};
                const RECT target{targetColumns[column], targetRows[row], targetColumns[column + 1],
                                  targetRows[row + 1]};
                m_image.BlitPart(dc, target, part);
            }
        }
    }
    if (m_crBg != kNoColor && (m_parts & 2) != 0) {
        FillSolid(dc, inner, m_crBg);
    }
}

HRESULT CBkSkinImgHorzExtend::SetAttribute(const std::string& name, const std::string& value,
                                           bool loading) {
    const HRESULT taken = CBkSkinBase::SetAttribute(name, value, loading);
    if (SUCCEEDED(taken))
        return taken;
    if (SUCCEEDED(m_image.SetAttribute(name, value, loading)))
        return S_OK;
    if (name != "left")
        return E_FAIL;
    m_left = ParseDecimal(value.c_str());
    return S_OK;
}

void CBkSkinImgHorzExtend::Draw(HDC dc, const RECT& rect, DWORD state) {
    m_image.FollowDpi();
    const SIZE size = m_image.GetBitmapSize();
    if (size.cx == 0)
        return;
    int index = 0;
    if (state == static_cast<DWORD>(-1))
        index = -1;
    else if (state & kStateDisabled)
        index = 3;
    else if (state & kStatePushed)
        index = 2;
    else
        index = state & kStateHover;

    RECT target = rect;
    if (target.right - target.left < size.cx)
        target.right = target.left + size.cx;
    if (IsHighContrast()) {
        FillPictureArea(dc, RECT{target.left, target.top, target.right, target.top + size.cy},
                        LookOfSubImage(static_cast<DWORD>(index)));
        return;
    }
    const int w = m_image.GetSubWidth() != 0 ? m_image.GetSubWidth() : size.cx;
    const int h = size.cy, a = m_image.AtBitmapDpi(m_left), W = target.right - target.left;
    const int offset = index * m_image.GetSubWidth();

    m_image.BlitPart(dc, RECT{target.left, target.top, target.left + a, target.top + h},
                     RECT{offset, 0, offset + a, h});
    const int rightX = target.right + a - w + 1;
    m_image.BlitPart(dc, RECT{rightX, target.top, rightX + w - a - 1, target.top + h},
                     RECT{offset + a + 1, 0, offset + w, h});
    m_image.BlitPart(dc,
                     RECT{target.left + a, target.top, target.left + a + W - w + 1, target.top + h},
                     RECT{offset + a, 0, offset + a + 1, h});
}

SIZE CBkSkinImgHorzExtend::GetSkinSize() {
    m_image.FollowDpi();
    return SIZE{0, m_image.GetBitmapSize().cy};
}
