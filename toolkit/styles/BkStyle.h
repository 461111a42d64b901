// Style classes: the colours, fonts, text format, margins, cursor and skin that elements name
// with "class".
#pragma once

#include "toolkit/styles/BkNotation.h"
#include "toolkit/styles/BkObject.h"
#include "toolkit/styles/HighContrast.h"

#include <map>
#include <string>

class BkStyle : public CBkObject {
    BK_TAG_NAME("style")
public:
    // Colours, "cursor", "hcrole": 1; other known names: 0; unknown names, cursors and roles:
    // E_FAIL.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;

    COLORREF m_crBg = kNoColor;
    COLORREF m_crBgHover = kNoColor;
    COLORREF m_crText = kNoColor;
    COLORREF m_crHover = kNoColor;
    COLORREF m_crDisabled = RGB(0xCC, 0xCC, 0xCC);
    // DrawText format flags: single line, bottom.
    UINT m_nTextMode = DT_SINGLELINE | DT_BOTTOM;
    // Owned by the font pool.
    HFONT m_hFont = nullptr;
    HFONT m_hHoverFont = nullptr;
    int m_nMarginX = 0;
    int m_nMarginY = 0;
    int m_nSpacing = 0;
    int m_nLineSpacing = 20;
    // A system cursor id: IDC_ARROW or IDC_HAND.
    WORD m_cursorId = 32512;
    std::string m_strSkinName;
    int m_nShadow = 0;
    int m_nGdiplus = 0;
    COLORREF m_crShadow = RGB(1, 1, 1);
    std::string m_strName;
    // The colours the class takes under a high-contrast theme, whatever its own say: its
    // elements' texts take the role's ink and their backgrounds its face.
    ContrastRole m_contrastRole = ContrastRole::kUnset;
};

// Process-wide, created on first use and never destroyed. Always holds the default class,
// the one with the empty name.
class BkStylePool {
public:
    static BkStylePool& Instance();

    // Empties the pool and creates the default class again.
    void Reset();
    // Null when the pool has no class of that name.
    BkStyle* Find(const std::string& name);
    // Creates an empty class of that name; false when one exists already.
    bool Add(const std::string& name, BkStyle*& added);

private:
    BkStylePool();

    std::map<std::string, BkStyle> m_styles;
};

// The class of that name, or the default class when the name is unknown.
const BkStyle& LookupStyle(const std::string& name);
