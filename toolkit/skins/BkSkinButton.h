// Skins drawn from colours alone: "button" (a framed, shaded face) and "gradation".
#pragma once

#include "toolkit/styles/BkNotation.h"
#include "toolkit/skins/BkSkinBase.h"

class CBkSkinButton : public CBkSkinBase {
    BK_TAG_NAME("button")
public:
    // "bg", "border" and the gradient ends "bgup", "bgdown" for normal, hover ("...hover") and
    // pushed ("...push") faces.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // The background, unless disabled a gradient face 2 pixels in, then a 1-pixel border.
    // IgnoreState stays the base's answer: the elements that use it repaint on their own.
    void Draw(HDC dc, const RECT& rect, DWORD state) override;

private:
    COLORREF m_crBg = RGB(0xEE, 0xEE, 0xEE);
    COLORREF m_crBorder = RGB(0x70, 0x70, 0x70);
    COLORREF m_crBgUp = RGB(0xEE, 0xEE, 0xEE);
    COLORREF m_crBgUpHover = RGB(0xEE, 0xEE, 0xEE);
    COLORREF m_crBgUpPush = RGB(0xCE, 0xCE, 0xCE);
    COLORREF m_crBgDown = RGB(0xD6, 0xD6, 0xD6);
    COLORREF m_crBgDownHover = RGB(0xE0, 0xE0, 0xE0);
    COLORREF m_crBgDownPush = RGB(0xC0, 0xC0, 0xC0);
};

class CBkSkinGradation : public CBkSkinBase {
    BK_TAG_NAME("gradation")
public:
    // "from", "to" (colours), "size" (pixels; 0: the whole rect), "direction" ("horz",
    // "vert").
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // The rect filled with "to", then the gradient over it or over its first "size" pixels,
    // cut at the rect's edge.
    void Draw(HDC dc, const RECT& rect, DWORD state) override;

private:
    COLORREF m_crFrom = kNoColor;
    COLORREF m_crTo = kNoColor;
    int m_size = 0;
    bool m_vertical = false;
};
