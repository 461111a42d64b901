// Skins: named drawing recipes that elements use for backgrounds and images.
#pragma once

#include "toolkit/styles/BkObject.h"
#include "toolkit/styles/HighContrast.h"

class CBkSkinBase : public CBkObject {
public:
    // "hcrole": the role the skin plays under a high-contrast theme (HighContrast.h). There a
    // picture without a role is not drawn, one with a role is filled with the role's face or
    // drawn from its two-tone picture, and a skin of colours alone takes the role's colours, the
    // window's without one. Derived skins offer their attributes here first.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // `state` is an element's state bits when a skin paints a background, or a sub-image index
    // (0 normal, 1 hover, 2 pushed, 3 disabled, -1 none) when an image control paints.
    virtual void Draw(HDC dc, const RECT& rect, DWORD state) = 0;
    // Draws a part of the skin's image into a target rectangle, stretched to fit.
    virtual void DrawPart(HDC, const RECT& /*target*/, const RECT& /*source*/) {}
    virtual SIZE GetSkinSize() { return SIZE{0, 0}; }
    // True when the skin looks the same in every state.
    virtual bool IgnoreState() { return true; }
    // Fetches the skin's image on first use; true once it is there.
    virtual bool Prepare() { return false; }

    ContrastRole GetContrastRole() const { return m_contrastRole; }

protected:
    // The role's colours for the look; the window's for a skin without a role.
    ContrastColors ContrastColorsFor(ContrastLook look) const;
    // Under a high-contrast theme, a picture's area filled with its role's face; nothing for a
    // picture without a role.
    void FillPictureArea(HDC dc, const RECT& area, ContrastLook look) const;

    int m_bPrepared = 0;
    ContrastRole m_contrastRole = ContrastRole::kUnset;
};

// The look under a high-contrast theme of a sub-image index (1 hover and 2 pushed are
// highlighted, 3 unavailable) and of element state bits.
ContrastLook LookOfSubImage(DWORD index);
ContrastLook LookOfState(DWORD state);
