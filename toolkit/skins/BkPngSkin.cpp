#include "toolkit/skins/BkPngSkin.h"

#include "toolkit/skins/BkImagePools.h"
#include "toolkit/styles/BkNotation.h"

#include <objidl.h>
#include <gdiplus.h>

HRESULT CBkGdiplusSkin::SetAttribute(const std::string& name, const std::string& value, bool) {
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
    if (field == nullptr)
        return E_FAIL;
    *field = ParseDecimal(value.c_str());
    return S_OK;
}

bool CBkGdiplusSkin::Prepare() {
    if (!m_bPrepared) {
        m_image = FetchImage(static_cast<UINT>(m_sourceId));
        m_bPrepared = m_image != nullptr;
    }
    return m_bPrepared != 0;
}

void CBkGdiplusSkin::Draw(HDC dc, const RECT& rect, DWORD state) {
    if (!m_bPrepared || m_image == nullptr)
        return;
    if (m_layout.subWidth == 0)
        DrawImagePieces(dc, *m_image, rect, m_layout);
    else
        DrawSubImage(dc, *m_image, rect, m_layout, SubImageIndex(state));
}

void CBkGdiplusSkin::DrawPart(HDC dc, const RECT& target, const RECT& source) {
    if (m_image != nullptr)
        DrawImagePart(dc, *m_image, target, source);
}

SIZE CBkGdiplusSkin::GetSkinSize() {
    if (m_image == nullptr)
        return SIZE{0, 0};
    const LONG width = m_layout.subWidth != 0 ? m_layout.subWidth : m_image->GetWidth();
    return SIZE{width, static_cast<LONG>(m_image->GetHeight())};
}

Gdiplus::Image* CBkPngSkin::FetchImage(UINT id) {
    return BkPngPool::Instance().GetImage(id);
}

DWORD CBkPngSkin::SubImageIndex(DWORD state) const {
    const DWORD count = m_image->GetWidth() / static_cast<DWORD>(m_layout.subWidth);
    return count != 0 ? state % count : state;
}

Gdiplus::Image* CBkJpgSkin::FetchImage(UINT id) {
    return BkJpgPool::Instance().GetImage(id);
}
