#include "toolkit/controls/BkLine.h"
#include "toolkit/styles/DisplayScale.h"

#include "platform/GdiObjects.h"
#include "toolkit/styles/BkStyle.h"

namespace {

HPEN CreateLinePen(int style, int width, COLORREF color) {
    // Cosmetic pens draw their pattern only one pixel wide; wider patterned lines need a
    // geometric pen.
    if (width <= 1 || style == PS_SOLID)
        return ::CreatePen(style, width, color);
    const LOGBRUSH brush{BS_SOLID, color, 0};
    return ::ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | static_cast<DWORD>(style),
                          static_cast<DWORD>(width), &brush, 0, nullptr);
}

} // namespace

HRESULT CBkLine::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    const HRESULT result = CBkWindow::SetAttribute(name, value, loading);
    if (SUCCEEDED(result))
        return result;
    if (name == "size") {
        m_penWidth = ParseDecimal(value.c_str());
        return S_FALSE;
    }
    if (name != "style")
        return E_FAIL;
    static const char* const kStyles[] = {"solid", "dash", "dot", "dashdot", "dashdotdot"};
    for (int style = PS_SOLID; style <= PS_DASHDOTDOT; ++style) {
        if (value == kStyles[style]) {
            m_penStyle = style;
            return S_FALSE;
        }
    }
    return E_FAIL;
}

void CBkLine::OnPaint(HDC dc) {
    const BkStyle& style = GetStyle();
    COLORREF color = m_crBg != kNoColor ? m_crBg : style.m_crBg;
    if (color == kNoColor)
        return;
    // A line is ink under a high-contrast theme.
    if (IsHighContrast())
        color = RoleColors(style.m_contrastRole, ContrastLook::kNormal).ink;
    ScopedGdiObject<HPEN> pen(CreateLinePen(m_penStyle, Scaled(m_penWidth), color));
    SavedDCState state(dc);
    // The gaps of a patterned line show what is beneath.
    ::SetBkMode(dc, TRANSPARENT);
    ::SelectObject(dc, pen.Get());
    ::MoveToEx(dc, m_rect.left, m_rect.top, nullptr);
    ::LineTo(dc, m_rect.right, m_rect.bottom);
}
