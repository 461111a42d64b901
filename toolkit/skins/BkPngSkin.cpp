#include "toolkit/skins/BkPngSkin.h"

#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/ColorFills.h"
#include "toolkit/styles/BkNotation.h"
#include "toolkit/styles/DisplayScale.h"

#include <algorithm>

HRESULT CBkPictureSkin::SetAttribute(const std::string& name, const std::string& value,
                                     bool loading) {
    const HRESULT taken = CBkSkinBase::SetAttribute(name, value, loading);
    if (SUCCEEDED(taken))
        return taken;
    int* field = nullptr;
    if (name == "src")
        field = &m_sourceId;
    else if (name == "subwidth")
        field = &m_layout.subWidth;
    else if (name == "left")
        field = &m_layout.left;
    else if (name == "top")
        field = &m_layout.top;
    else if (name == "margin_left")
        field = &m_layout.marginLeft;
    else if (name == "margin_right")
        field = &m_layout.marginRight;
    else if (m_verticalMargins && name == "margin_top")
        field = &m_layout.marginTop;
    else if (m_verticalMargins && name == "margin_bottom")
        field = &m_layout.marginBottom;
    else if (name == "hcsrc")
        field = &m_contrastSourceId;
    if (field == nullptr)
        return E_FAIL;
    *field = ParseDecimal(value.c_str());
    return S_OK;
}

void CBkPictureSkin::Fetch() {
    m_pictureDpi = CurrentDpi();
    m_picture = &Pool().GetPicture(static_cast<UINT>(m_sourceId), m_pictureDpi, m_layout.subWidth);
}

const BkPicture* CBkPictureSkin::Picture() {
    if (m_picture != nullptr && m_pictureDpi != CurrentDpi())
        Fetch();
    return m_picture;
}

bool CBkPictureSkin::Prepare() {
    // The pools always answer, with an empty picture when there is none.
    if (!m_bPrepared) {
        Fetch();
        m_bPrepared = 1;
    }
    return true;
}

void CBkPictureSkin::Draw(HDC dc, const RECT& rect, DWORD state) {
    if (!m_bPrepared)
        return;
    const BkPicture& picture = *Picture();
    const ImagePieceLayout layout = m_layout.ScaledTo(m_pictureDpi);
    const SIZE size = picture.Size();
    if (layout.subWidth == 0) {
        if (IsHighContrast()) {
            // The area the pieces cover: the rect's width, the picture's height at most.
            const RECT area{rect.left, rect.top, rect.right,
                            rect.top + std::min<LONG>(size.cy, rect.bottom - rect.top)};
            DrawInContrast(dc, area, ContrastLook::kNormal);
        } else {
            DrawImagePieces(dc, picture, rect, layout);
        }
        return;
    }
    const DWORD count = static_cast<DWORD>(size.cx) / static_cast<DWORD>(layout.subWidth);
    const DWORD index = SubImageIndex(state, count);
    if (IsHighContrast()) {
        const RECT area{rect.left, rect.top, rect.left + layout.subWidth, rect.top + size.cy};
        DrawInContrast(dc, area, LookOfSubImage(index));
        return;
    }
    DrawSubImage(dc, picture, rect, layout, index);
}

void CBkPictureSkin::DrawInContrast(HDC dc, const RECT& area, ContrastLook look) {
    if (m_contrastRole == ContrastRole::kUnset || m_picture->IsEmpty())
        return;
    const ContrastColors colors = ContrastColorsFor(look);
    if (m_contrastSourceId == 0) {
        FillSolid(dc, area, colors.face);
        return;
    }
    std::unique_ptr<BkPicture>& recoloured =
        m_contrastPictures[std::make_tuple(m_pictureDpi, colors.face, colors.ink)];
    if (!recoloured) {
        const BkPicture& twoTone =
            Pool().GetPicture(static_cast<UINT>(m_contrastSourceId), m_pictureDpi);
        recoloured = twoTone.Recoloured(colors.face, colors.ink);
    }
    const SIZE size = recoloured->Size();
    DrawImagePart(dc, *recoloured,
                  RECT{area.left, area.top, area.left + size.cx, area.top + size.cy},
                  RECT{0, 0, size.cx, size.cy});
}

void CBkPictureSkin::DrawPart(HDC dc, const RECT& target, const RECT& source) {
    const BkPicture* picture = Picture();
    if (picture == nullptr)
        return;
    if (IsHighContrast())
        FillPictureArea(dc, target, ContrastLook::kNormal);
    else
        DrawImagePart(dc, *picture, target, source);
}

SIZE CBkPictureSkin::GetSkinSize() {
    const BkPicture* picture = Picture();
    if (picture == nullptr || picture->IsEmpty())
        return SIZE{0, 0};
    const SIZE size = picture->Size();
    const LONG width =
        m_layout.subWidth != 0 ? ScaleToDpi(m_layout.subWidth, m_pictureDpi) : size.cx;
    return SIZE{width, size.cy};
}

BkPicturePool& CBkPngSkin::Pool() const {
    return BkPngPool::Instance();
}

DWORD CBkPngSkin::SubImageIndex(DWORD state, DWORD count) const {
    return count != 0 ? state % count : state;
}

BkPicturePool& CBkJpgSkin::Pool() const {
    return BkJpgPool::Instance();
}
