#include "toolkit/skins/BkSkinButton.h"
#include "toolkit/styles/DisplayScale.h"

#include "platform/GdiObjects.h"
#include "toolkit/skins/ElementState.h"
#include "toolkit/skins/ColorFills.h"

HRESULT CBkSkinButton::SetAttribute(const std::string& name, const std::string& value,
                                    bool loading) {
    const HRESULT taken = CBkSkinBase::SetAttribute(name, value, loading);
    if (SUCCEEDED(taken))
        return taken;
    static const struct {
        const char* name;
        COLORREF CBkSkinButton::*field;
    } kColors[] = {
        {"bg", &CBkSkinButton::m_crBg},
        {"border", &CBkSkinButton::m_crBorder},
        {"bgup", &CBkSkinButton::m_crBgUp},
        {"bguphover", &CBkSkinButton::m_crBgUpHover},
        {"bguppush", &CBkSkinButton::m_crBgUpPush},
        {"bgdown", &CBkSkinButton::m_crBgDown},
        {"bgdownhover", &CBkSkinButton::m_crBgDownHover},
        {"bgdownpush", &CBkSkinButton::m_crBgDownPush},
    };
    for (const auto& color : kColors) {
        if (name == color.name) {
            this->*color.field = ParseColor(value.c_str());
            return S_OK;
        }
    }
    return E_FAIL;
}

void CBkSkinButton::Draw(HDC dc, const RECT& rect, DWORD state) {
    if (IsHighContrast()) {
        FillFramed(dc, rect, ContrastColorsFor(LookOfState(state)));
        return;
    }
    FillSolid(dc, rect, m_crBg);
    if ((state & kStateDisabled) == 0) {
        RECT face = rect;
        ::InflateRect(&face, -Scaled(2), -Scaled(2));
        if (state & kStatePushed)
            FillGradient(dc, face, m_crBgUpPush, m_crBgDownPush, true);
        else if (state & kStateHover)
            FillGradient(dc, face, m_crBgUpHover, m_crBgDownHover, true);
        else
            FillGradient(dc, face, m_crBgUp, m_crBgDown, true);
    }
    ScopedGdiObject<HBRUSH> border(::CreateSolidBrush(m_crBorder));
    ::FrameRect(dc, &rect, border.Get());
}

HRESULT CBkSkinGradation::SetAttribute(const std::string& name, const std::string& value,
                                       bool loading) {
    const HRESULT taken = CBkSkinBase::SetAttribute(name, value, loading);
    if (SUCCEEDED(taken))
        return taken;
    if (name == "from")
        m_crFrom = ParseColor(value.c_str());
    else if (name == "to")
        m_crTo = ParseColor(value.c_str());
    else if (name == "size")
        m_size = ParseDecimal(value.c_str());
    else if (name == "direction" && (value == "horz" || value == "vert"))
        m_vertical = value == "vert";
    else
        return E_FAIL;
    return S_OK;
}

void CBkSkinGradation::Draw(HDC dc, const RECT& rect, DWORD) {
    if (m_crFrom == kNoColor || m_crTo == kNoColor)
        return;
    if (IsHighContrast()) {
        FillSolid(dc, rect, ContrastColorsFor(ContrastLook::kNormal).face);
        return;
    }
    FillSolid(dc, rect, m_crTo);
    RECT span = rect;
    if (m_size > 0) {
        if (m_vertical)
            span.bottom = span.top + Scaled(m_size);
        else
            span.right = span.left + Scaled(m_size);
    }
    // A longer gradient is cut at the rect's edge, not squeezed into it.
    SavedDCState state(dc);
    ::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    FillGradient(dc, span, m_crFrom, m_crTo, m_vertical);
}
