#include "toolkit/controls/BkSkinBtnWnd.h"

#include "toolkit/controls/BkImageWnd.h"
#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/styles/BkStyle.h"

HRESULT CBkSkinBtnWnd::SetAttribute(const std::string& name, const std::string& value,
                                    bool loading) {
    const HRESULT result = CBkWindow::SetAttribute(name, value, loading);
    if (SUCCEEDED(result) || name != "skin")
        return result;
    m_skinName = value;
    return S_OK;
}

DWORD CBkSkinBtnWnd::SkinIndex() const {
    if (IsDisabled(true))
        return 3;
    if (m_state & kStatePushed)
        return 2;
    return (m_state & kStateHover) ? 1 : 0;
}

ContrastLook CBkSkinBtnWnd::GetContrastLook() {
    ContrastLook look;
    return ButtonContrastLook(SkinName(), SkinIndex(), look) ? look : CBkWindow::GetContrastLook();
}

void CBkSkinBtnWnd::OnPaint(HDC dc) {
    DrawButtonSkin(dc, *this, SkinName(), SkinIndex());
    DrawInnerText(dc);
}

LRESULT CBkSkinBtnWnd::OnNcCalcSize(BOOL constrain, LPARAM sizeRecord) {
    CBkWindow::OnNcCalcSize(constrain, sizeRecord);
    TakeSkinSize(SkinName(), *reinterpret_cast<SIZE*>(sizeRecord));
    return 0;
}

const std::string& CBkSkinBtnWnd::SkinName() const {
    return m_skinName.empty() ? GetStyle().m_strSkinName : m_skinName;
}
