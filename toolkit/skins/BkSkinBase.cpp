#include "toolkit/skins/BkSkinBase.h"

#include "toolkit/skins/ColorFills.h"
#include "toolkit/skins/ElementState.h"

HRESULT CBkSkinBase::SetAttribute(const std::string& name, const std::string& value, bool) {
    if (name != "hcrole" || !ParseContrastRole(value.c_str(), m_contrastRole))
        return E_FAIL;
    return S_FALSE;
}

ContrastColors CBkSkinBase::ContrastColorsFor(ContrastLook look) const {
    return RoleColors(m_contrastRole, look);
}

void CBkSkinBase::FillPictureArea(HDC dc, const RECT& area, ContrastLook look) const {
    if (m_contrastRole != ContrastRole::kUnset)
        FillSolid(dc, area, ContrastColorsFor(look).face);
}

ContrastLook LookOfSubImage(DWORD index) {
    switch (index) {
    case 1:
    case 2:
        return ContrastLook::kHighlighted;
    case 3:
        return ContrastLook::kUnavailable;
    default:
        return ContrastLook::kNormal;
    }
}

ContrastLook LookOfState(DWORD state) {
    if (state & kStateDisabled)
        return ContrastLook::kUnavailable;
    if (state & (kStateHover | kStatePushed))
        return ContrastLook::kHighlighted;
    return ContrastLook::kNormal;
}
