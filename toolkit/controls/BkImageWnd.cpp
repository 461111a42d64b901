#include "toolkit/controls/BkImageWnd.h"
#include "toolkit/styles/DisplayScale.h"

#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/skins/ColorFills.h"
#include "toolkit/styles/BkStyle.h"
#include "toolkit/elements/ElementGroups.h"
#include "toolkit/elements/TextPainting.h"
#include "toolkit/resources/Utf8.h"

CBkImageWnd::~CBkImageWnd() {
    if (!m_groupName.empty())
        ElementGroups::Leave(m_groupName, m_handle);
}

bool CBkImageWnd::Load(const TiXmlElement* element) {
    const bool loaded = CBkWindow::Load(element);
    if (loaded && !m_groupName.empty())
        ElementGroups::Join(m_groupName, m_handle);
    return loaded;
}

HRESULT CBkImageWnd::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    const HRESULT result = CBkWindow::SetAttribute(name, value, loading);
    if (SUCCEEDED(result))
        return result;
    const char* text = value.c_str();
    if (name == "skin")
        m_skinName = value;
    else if (name == "ico")
        m_iconSkinName = value;
    else if (name == "caption")
        m_caption = Utf8ToWide(text);
    else if (name == "mask")
        m_maskSkinName = value;
    else if (name == "ico_top")
        m_iconTop = ParseDecimal(text);
    else if (name == "caption_top")
        m_captionTop = ParseDecimal(text);
    else if (name == "group")
        m_groupName = value;
    else if (name == "sub")
        m_subImage = ParseDecimal(text);
    else
        return E_FAIL;
    const bool redraws =
        name == "ico_top" || name == "caption_top" || name == "group" || name == "sub";
    return redraws ? S_FALSE : S_OK;
}

void CBkImageWnd::OnPaint(HDC dc) {
    if (CBkSkinBase* skin = GetSkin(m_skinName))
        skin->Draw(dc, m_rect, static_cast<DWORD>(m_subImage));
}

LRESULT CBkImageWnd::OnNcCalcSize(BOOL constrain, LPARAM sizeRecord) {
    CBkWindow::OnNcCalcSize(constrain, sizeRecord);
    TakeSkinSize(m_skinName, *reinterpret_cast<SIZE*>(sizeRecord));
    return 0;
}

DWORD CBkImageBtnWnd::SkinIndex() const {
    const bool groupChecked = !m_groupName.empty() && ElementGroups::AnyChecked(m_groupName);
    if (groupChecked) {
        if (m_state & (kStateChecked | kStatePushed))
            return 2;
        return (m_state & kStateHover) ? 1 : 0;
    }
    if (m_state & kStateDisabled)
        return 3;
    if (m_state & kStatePushed)
        return 2;
    return (m_state & kStateHover) ? 1 : 0;
}

ContrastLook CBkImageBtnWnd::GetContrastLook() {
    ContrastLook look;
    return ButtonContrastLook(m_skinName, SkinIndex(), look) ? look
                                                             : CBkImageWnd::GetContrastLook();
}

void CBkImageBtnWnd::OnPaint(HDC dc) {
    BkPaintState saved;
    BeforePaint(dc, saved);
    DrawButtonSkin(dc, *this, m_skinName, SkinIndex());
    DrawIcon(dc);
    DrawCaption(dc);
    AfterPaint(dc, saved);
}

void CBkImageBtnWnd::DrawIcon(HDC dc) {
    CBkSkinBase* icon = GetSkin(m_iconSkinName);
    if (icon == nullptr)
        return;
    const SIZE size = icon->GetSkinSize();
    const LONG width = m_rect.right - m_rect.left;
    const LONG height = m_rect.bottom - m_rect.top;
    const LONG left = m_rect.left + (width - size.cx) / 2;
    const LONG top = m_rect.top + (m_iconTop >= 1 ? Scaled(m_iconTop) : (height - size.cy) / 2);
    icon->Draw(dc, RECT{left, top, left + size.cx, top + size.cy}, 0);

    CBkSkinBase* mask = GetSkin(m_maskSkinName);
    if (mask != nullptr && (m_state & (kStateChecked | kStateHover)) == 0)
        mask->Draw(dc, m_rect, 0);
}

void CBkImageBtnWnd::DrawCaption(HDC dc) {
    if (m_caption.empty())
        return;
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &extent);
    RECT box = m_rect;
    box.top += Scaled(m_captionTop);
    box.bottom = box.top + extent.cy;
    const LONG shortfall = extent.cx - (box.right - box.left);
    if (shortfall > 0) {
        box.left -= shortfall / 2;
        box.right += shortfall - shortfall / 2;
    }
    const UINT format = DT_CENTER | DT_SINGLELINE;
    AdjustCaptionForDefaultFace(dc, box, format);
    ::DrawTextW(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &box, format);
}

void CBkImageBtnWnd::OnLButtonUp(UINT, POINT) {
    if (m_groupName.empty())
        return;
    if (m_state & kStateChecked)
        ModifyState(0, kStateChecked);
    else
        ElementGroups::CheckOnly(m_groupName, *this);
}

void TakeSkinSize(const std::string& skinName, SIZE& size) {
    CBkSkinBase* skin = GetSkin(skinName);
    if (skin == nullptr)
        return;
    const SIZE skinSize = skin->GetSkinSize();
    if (skinSize.cx != 0)
        size.cx = skinSize.cx;
    if (skinSize.cy != 0)
        size.cy = skinSize.cy;
}

void DrawButtonSkin(HDC dc, const CBkWindow& button, const std::string& skinName, DWORD index) {
    if (CBkSkinBase* skin = GetShownSkin(skinName)) {
        skin->Draw(dc, button.GetRect(), index);
        return;
    }
    if (!IsHighContrast() || GetSkin(skinName) == nullptr)
        return;
    FillFramed(dc, button.GetRect(),
               RoleColors(button.GetStyle().m_contrastRole, LookOfSubImage(index)));
}

bool ButtonContrastLook(const std::string& skinName, DWORD index, ContrastLook& look) {
    CBkSkinBase* skin = GetSkin(skinName);
    if (skin == nullptr || skin->IgnoreState())
        return false;
    look = LookOfSubImage(index);
    return true;
}
