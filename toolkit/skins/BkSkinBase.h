// Skins: named drawing recipes that elements use for backgrounds and images.
#pragma once

#include "toolkit/styles/BkObject.h"

class CBkSkinBase : public CBkObject {
public:
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

protected:
    int m_bPrepared = 0;
};
