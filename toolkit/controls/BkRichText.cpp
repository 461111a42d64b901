#include "toolkit/controls/BkRichText.h"
#include "toolkit/styles/DisplayScale.h"

#include "platform/GdiObjects.h"
#include "toolkit/styles/BkFontPool.h"
#include "toolkit/elements/BkNotify.h"
#include "toolkit/styles/BkStyle.h"

#include <tinyxml.h>

namespace {

// Wide enough for any text without reaching the end of 32-bit coordinates.
constexpr LONG kUnlimited = 0x3FFFFFFF;

} // namespace

bool CBkRichText::Load(const TiXmlElement* element) {
    if (element != nullptr)
        m_runs = ParseRichText(*element);
    return CBkWindow::Load(element);
}

HRESULT CBkRichText::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    const HRESULT result = CBkWindow::SetAttribute(name, value, loading);
    if (SUCCEEDED(result))
        return result;
    if (name == "defaultfont")
        m_defaultFont = static_cast<WORD>(ParseHex(value.c_str()));
    else if (name == "linkclass")
        m_linkClass = value;
    else
        return E_FAIL;
    return S_FALSE;
}

void CBkRichText::ApplyCursor() {
    if (m_hoverLink >= 0)
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    else
        CBkWindow::ApplyCursor();
}

HFONT CBkRichText::FontOf(const RichTextRun& run, bool hovered) const {
    BkFontPool& fonts = BkFontPool::Instance();
    HFONT font = nullptr;
    if (run.kind == RichTextRun::kLink && !m_linkClass.empty()) {
        const BkStyle& link = LookupStyle(m_linkClass);
        font = hovered && link.m_hHoverFont != nullptr ? link.m_hHoverFont : link.m_hFont;
    }
    if (font == nullptr)
        font = fonts.GetFont(static_cast<WORD>(m_defaultFont | run.fontBits));
    return fonts.AtDpi(font != nullptr ? font : fonts.GetFont(0), CurrentDpi());
}

COLORREF CBkRichText::ColorOf(const RichTextRun& run, bool hovered, COLORREF text) const {
    // Under a high-contrast theme the element's ink, and links the hot-light colour.
    if (IsHighContrast())
        return run.kind == RichTextRun::kLink ? ContrastColor(COLOR_HOTLIGHT) : text;
    if (run.kind == RichTextRun::kLink && !m_linkClass.empty()) {
        const BkStyle& link = LookupStyle(m_linkClass);
        if (hovered && link.m_crHover != kNoColor)
            return link.m_crHover;
        if (link.m_crText != kNoColor)
            return link.m_crText;
    }
    return run.color != kNoColor ? run.color : text;
}

RichTextLayout CBkRichText::Layout(LONG width) const {
    const BkStyle& style = GetStyle();
    const LONG marginX = Scaled(style.m_nMarginX);
    const LONG left = m_rect.left + marginX;
    const RECT area{left, m_rect.top + Scaled(style.m_nMarginY),
                    width < 0 ? kUnlimited : left + width - 2 * marginX, 0};
    WindowDC desktop(::GetDesktopWindow());
    MemoryDC dc(desktop);
    return LayoutRichText(dc, m_runs, area,
                          RichTextSpacing{Scaled(style.m_nLineSpacing), Scaled(style.m_nSpacing)},
                          [this](const RichTextRun& run) { return FontOf(run, false); });
}

void CBkRichText::OnPaint(HDC dc) {
    BkPaintState saved;
    BeforePaint(dc, saved);
    {
        const COLORREF text = ::GetTextColor(dc);
        SavedDCState state(dc);
        ::SetBkMode(dc, TRANSPARENT);
        for (const RichTextPiece& piece : m_layout.pieces) {
            const RichTextRun& run = m_runs[piece.run];
            const bool hovered = static_cast<int>(piece.run) == m_hoverLink;
            ::SelectObject(dc, FontOf(run, hovered));
            ::SetTextColor(dc, ColorOf(run, hovered, text));
            ::TextOutW(dc, piece.box.left, piece.box.top, piece.text.c_str(),
                       static_cast<int>(piece.text.size()));
        }
    }
    AfterPaint(dc, saved);
}

LRESULT CBkRichText::OnNcCalcSize(BOOL constrain, LPARAM sizeRecord) {
    if (m_positionCount == 4)
        return CBkWindow::OnNcCalcSize(constrain, sizeRecord);
    SIZE& size = *reinterpret_cast<SIZE*>(sizeRecord);
    const BkStyle& style = GetStyle();
    const SIZE extent = Layout(constrain ? size.cx : -1).extent;
    size = SIZE{extent.cx + 2 * Scaled(style.m_nMarginX), extent.cy + 2 * Scaled(style.m_nMarginY)};
    return 0;
}

void CBkRichText::OnWindowPosChanged(LPWINDOWPOS position) {
    CBkWindow::OnWindowPosChanged(position);
    m_layout = Layout(m_rect.right - m_rect.left);
    m_hoverLink = -1;
}

void CBkRichText::OnMouseMove(UINT, POINT point) {
    SetHoverLink(LinkAt(point));
}

void CBkRichText::OnMouseLeave() {
    SetHoverLink(-1);
}

void CBkRichText::OnLButtonUp(UINT, POINT point) {
    const int link = LinkAt(point);
    if (link < 0 || m_containerWindow == nullptr)
        return;
    BkNmCommand notice{};
    notice.header.hdr.hwndFrom = m_containerWindow;
    notice.header.hdr.idFrom = kBkViewControlId;
    notice.header.hdr.code = kBkNmClick;
    notice.header.uItemID = static_cast<UINT>(m_runs[link].value);
    notice.szItemClass = GetTagName();
    ::SendMessageW(m_containerWindow, WM_NOTIFY, kBkViewControlId,
                   reinterpret_cast<LPARAM>(&notice));
}

int CBkRichText::LinkAt(POINT point) const {
    for (const RichTextPiece& piece : m_layout.pieces) {
        if (m_runs[piece.run].kind == RichTextRun::kLink && ::PtInRect(&piece.box, point))
            return static_cast<int>(piece.run);
    }
    return -1;
}

void CBkRichText::SetHoverLink(int run) {
    if (run == m_hoverLink)
        return;
    // Repaint the pieces of the link that loses the hover and of the one that gains it.
    for (const RichTextPiece& piece : m_layout.pieces) {
        const int index = static_cast<int>(piece.run);
        if (index == run || index == m_hoverLink)
            NotifyInvalidate(piece.box);
    }
    m_hoverLink = run;
}
