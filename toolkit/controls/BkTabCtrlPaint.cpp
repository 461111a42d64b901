// Drawing of the tab control: the frame, then each tab with its look, icon and title.
#include "toolkit/controls/BkTabCtrl.h"
#include "toolkit/styles/DisplayScale.h"

#include "platform/GdiObjects.h"
#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/skins/ColorFills.h"

namespace {

constexpr COLORREF kOutline = 0x707070;
// The plain looks without a "tabskin": normal, hovered, selected.
constexpr COLORREF kTabFills[] = {RGB(0xE6, 0xE6, 0xE6), RGB(0xF2, 0xF2, 0xF2),
                                  RGB(0xFF, 0xFF, 0xFF)};

// Under a high-contrast theme the outline takes the element's ink (selected into the device
// context), and the tabs the window's face, the selected one highlighted.
void Outline(HDC dc, const RECT& rect) {
    ScopedGdiObject<HBRUSH> brush(
        ::CreateSolidBrush(IsHighContrast() ? ::GetTextColor(dc) : kOutline));
    ::FrameRect(dc, &rect, brush.Get());
}

COLORREF TabFill(DWORD look) {
    if (!IsHighContrast())
        return kTabFills[look];
    return ContrastColor(look == 2 ? COLOR_HIGHLIGHT : COLOR_WINDOW);
}

// Titles of "vertfont" tabs stand one character under the other.
std::wstring Stacked(const std::wstring& title) {
    std::wstring stacked;
    for (wchar_t c : title) {
        if (!stacked.empty())
            stacked += L'\n';
        stacked += c;
    }
    return stacked;
}

// The offset when set (0 or more), else the place that centres `size` in `extent`.
LONG Place(int offset, LONG extent, LONG size) {
    return offset >= 0 ? offset : (extent - size) / 2;
}

} // namespace

void CBkTabCtrl::OnPaint(HDC dc) {
    BkPaintState saved;
    BeforePaint(dc, saved);
    const RECT frame = GetFrameRect();
    if (CBkSkinBase* skin = GetShownSkin(m_frameSkin))
        skin->Draw(dc, frame, 0);
    else
        Outline(dc, frame);

    CBkSkinBase* splitter = GetSkin(m_splitterSkin);
    RECT previous{};
    for (int index = 0; index < static_cast<int>(m_pages.size()); ++index) {
        const RECT tab = GetTabRect(index);
        if (::IsRectEmpty(&tab))
            continue;
        if (splitter != nullptr && !::IsRectEmpty(&previous)) {
            const RECT gap = m_vertical ? RECT{tab.left, previous.bottom, tab.right, tab.top}
                                        : RECT{previous.right, tab.top, tab.left, tab.bottom};
            splitter->Draw(dc, gap, 0);
        }
        DrawTab(dc, index);
        previous = tab;
    }
    AfterPaint(dc, saved);
}

void CBkTabCtrl::DrawTab(HDC dc, int index) {
    const RECT tab = GetTabRect(index);
    const bool selected = index == m_curSel;
    const DWORD look = selected ? 2 : (index == m_hoverTab ? 1 : 0);
    if (CBkSkinBase* skin = GetShownSkin(m_tabSkin)) {
        skin->Draw(dc, tab, look);
    } else {
        FillSolid(dc, tab, TabFill(look));
        Outline(dc, tab);
    }
    if (CBkSkinBase* icon = GetSkin(m_iconSkin)) {
        const SIZE size = icon->GetSkinSize();
        const LONG left = tab.left + Scaled(m_iconX);
        const LONG top = tab.top + Scaled(m_iconY);
        icon->Draw(dc, RECT{left, top, left + size.cx, top + size.cy}, static_cast<DWORD>(index));
    }

    const std::wstring& title = static_cast<const CBkTab*>(m_pages[index])->GetTitle();
    if (title.empty())
        return;
    const std::wstring text = m_vertFont != 0 ? Stacked(title) : title;
    const UINT format = (m_vertFont != 0 ? DT_CENTER : DT_SINGLELINE) | DT_NOPREFIX;
    SavedDCState state(dc);
    ::SetBkMode(dc, TRANSPARENT);
    if (selected && m_selectedFont != nullptr)
        ::SelectObject(dc, m_selectedFont);
    if (IsHighContrast())
        ::SetTextColor(dc, ContrastColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    else if (m_crTabText != kNoColor)
        ::SetTextColor(dc, m_crTabText);
    RECT box{};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    const LONG left =
        tab.left + Place(m_textX >= 0 ? Scaled(m_textX) : -1, tab.right - tab.left, width);
    const LONG top =
        tab.top + Place(m_textY >= 0 ? Scaled(m_textY) : -1, tab.bottom - tab.top, height);
    box = RECT{left, top, left + width, top + height};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}
