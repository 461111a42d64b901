#include "toolkit/elements/BkWindow.h"

#include "platform/GdiObjects.h"
#include "toolkit/styles/BkFontPool.h"
#include "toolkit/elements/BkNotify.h"
#include "toolkit/elements/BkPanel.h"
#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/resources/BkString.h"
#include "toolkit/styles/BkStyle.h"
#include "toolkit/styles/DisplayScale.h"
#include "toolkit/elements/ElementRegistry.h"
#include "toolkit/skins/ColorFills.h"
#include "toolkit/elements/StringReferences.h"
#include "toolkit/elements/TextPainting.h"
#include "toolkit/resources/Utf8.h"

#include <tinyxml.h>

#include <algorithm>

namespace {

// "width" or "height": a positive number is fixed (kept at 96 DPI, the edge in device pixels),
// "full" fills, anything else is automatic.
void LoadExtent(const char* value, UINT fixedMode, UINT autoMode, UINT fillMode, UINT& flags,
                LONG& edge, LONG& fixed) {
    const int number = value != nullptr ? ParseDecimal(value) : 0;
    if (number == 0 && value != nullptr && std::strcmp(value, "full") == 0) {
        flags |= fillMode;
        edge = 0;
    } else if (number <= 0) {
        flags |= autoMode;
        edge = 0;
    } else {
        flags |= fixedMode;
        edge = Scaled(number);
        fixed = number;
    }
}

} // namespace

CBkWindow::CBkWindow() : m_handle(ElementRegistry::Instance().Register(this)) {}

CBkWindow::~CBkWindow() {
    ElementRegistry::Instance().Unregister(m_handle);
}

bool CBkWindow::Load(const TiXmlElement* element) {
    if (element == nullptr)
        return false;
    m_innerText = SubstituteStringReferences(Utf8ToWide(element->GetText()),
                                             [](int id) { return BkString::Get(id); });
    m_layoutFlags = 0;
    CBkObject::Load(element);

    if (const char* show = element->Attribute("show")) {
        if (ParseDecimal(show) != 0)
            ModifyState(0, kStateHidden);
        else
            ModifyState(kStateHidden, 0);
    }
    // A corner or a box: the size is always automatic.
    if (m_positionCount == 2 || m_positionCount == 4)
        return true;

    LoadExtent(element->Attribute("width"), kWidthFixed, kWidthAuto, kWidthFill, m_layoutFlags,
               m_rect.right, m_fixedWidth);
    LoadExtent(element->Attribute("height"), kHeightFixed, kHeightAuto, kHeightFill, m_layoutFlags,
               m_rect.bottom, m_fixedHeight);
    if (m_layoutFlags & (kWidthAuto | kHeightAuto)) {
        const SIZE desired = QueryDesiredSize(false, SIZE{0, 0});
        if (m_layoutFlags & kWidthAuto)
            m_rect.right = desired.cx;
        if (m_layoutFlags & kHeightAuto)
            m_rect.bottom = desired.cy;
    }
    const char* floating = element->Attribute("float");
    m_layoutFlags |= floating != nullptr && ParseDecimal(floating) != 0 ? kFloating : kNotFloating;
    return true;
}

HRESULT CBkWindow::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    if (SUCCEEDED(CBkObject::SetAttribute(name, value, loading)))
        return S_OK;
    const char* text = value.c_str();
    if (name == "class") {
        m_className = value;
        return S_OK;
    }
    if (name == "valign" || name == "align") {
        static const struct {
            const char* name;
            const char* word;
            UINT value;
        } kAlignments[] = {{"valign", "top", 0},         {"valign", "middle", 0x1000},
                           {"valign", "bottom", 0x2000}, {"align", "left", 0},
                           {"align", "center", 0x4000},  {"align", "right", 0x8000}};
        for (const auto& alignment : kAlignments) {
            if (name == alignment.name && value == alignment.word) {
                (name == "valign" ? m_verticalAlign : m_horizontalAlign) = alignment.value;
                return S_OK;
            }
        }
        return E_FAIL;
    }
    if (name == "id")
        m_id = static_cast<UINT>(ParseDecimal(text));
    else if (name == "crbg")
        m_crBg = ParseColor(text);
    else if (name == "crtext")
        m_crText = ParseColor(text);
    else if (name == "font")
        m_font = BkFontPool::Instance().GetFont(static_cast<WORD>(ParseHex(text)));
    else if (name == "href")
        m_linkUrl = Utf8ToWide(text);
    else if (name == "tip")
        m_toolTipText = Utf8ToWide(text);
    else if (name == "transparent")
        m_transparent = ParseDecimal(text);
    else if (name == "notify")
        m_notify = static_cast<UINT>(ParseDecimal(text));
    else if (name == "tabstop") {
        m_tabStop = ParseDecimal(text) != 0;
        return S_OK;
    } else if (name == "pos") {
        if (value.empty())
            return S_FALSE;
        const int count = ParsePositionItems(text, m_position);
        if (count == 2 || count == 4) {
            m_positionCount = count;
            m_layoutFlags =
                (m_layoutFlags & ~(kWidthModes | kHeightModes)) | kWidthAuto | kHeightAuto;
        } else {
            m_positionCount = 0;
        }
        CBkWindow* parent = GetParent();
        if (!loading && parent != nullptr && parent->IsContainer())
            static_cast<CBkContainerWnd*>(parent)->LayoutChild(this);
    } else
        return E_FAIL;
    return S_FALSE;
}

std::wstring CBkWindow::AccessibleName() const {
    const UINT format = m_textFormat != 0 ? m_textFormat : GetStyle().m_nTextMode;
    return (format & DT_NOPREFIX) ? m_innerText : WithoutPrefixes(m_innerText);
}

void CBkWindow::ApplyCursor() {
    ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(GetStyle().m_cursorId)));
}

void CBkWindow::SetContainerWindow(HWND container) {
    m_containerWindow = container;
}

UINT CBkWindow::HitTest(int x, int y) {
    const POINT point{x, y};
    return ::PtInRect(&m_rect, point) ? m_handle : 0;
}

bool CBkWindow::RedrawOnStateChange() {
    const BkStyle& style = GetStyle();
    if (!style.m_strSkinName.empty()) {
        CBkSkinBase* skin = GetSkin(style.m_strSkinName);
        if (skin != nullptr && !skin->IgnoreState())
            return true;
    }
    return style.m_crHover != kNoColor || style.m_hHoverFont != nullptr ||
           style.m_crBgHover != kNoColor;
}

ContrastLook CBkWindow::GetContrastLook() {
    if (IsDisabled(true))
        return ContrastLook::kUnavailable;
    if ((m_state & (kStateHover | kStatePushed)) == 0)
        return ContrastLook::kNormal;
    const BkStyle& style = GetStyle();
    CBkSkinBase* skin = style.m_strSkinName.empty() ? nullptr : GetSkin(style.m_strSkinName);
    const bool showsHover =
        style.m_crBgHover != kNoColor || (skin != nullptr && !skin->IgnoreState());
    return showsHover ? ContrastLook::kHighlighted : ContrastLook::kNormal;
}

bool CBkWindow::Redraw(HDC dc, HRGN region) {
    if (region != nullptr && !::RectInRegion(region, &m_rect))
        return false;
    DrawBackground(dc);
    if (m_paintHook != nullptr && !m_paintHook->OnElementPaint(this, dc, m_rect, TRUE))
        return true;
    SendElementMessage(this, WM_PAINT, reinterpret_cast<WPARAM>(dc));
    if (m_paintHook != nullptr)
        m_paintHook->OnElementPaint(this, dc, m_rect, FALSE);
    return true;
}

CBkWindow* CBkWindow::GetParent() const {
    return FindElement(m_parentHandle);
}

DWORD CBkWindow::ModifyState(DWORD add, DWORD remove) {
    const DWORD old = m_state;
    m_state = (m_state | add) & ~remove;
    return old;
}

bool CBkWindow::IsVisible(bool checkAncestors) const {
    return !HasStateInChain(kStateHidden, checkAncestors);
}

bool CBkWindow::IsDisabled(bool checkAncestors) const {
    return HasStateInChain(kStateDisabled, checkAncestors);
}

bool CBkWindow::HasStateInChain(DWORD bit, bool checkAncestors) const {
    for (const CBkWindow* element = this; element != nullptr;
         element = checkAncestors ? element->GetParent() : nullptr) {
        if (element->m_state & bit)
            return true;
    }
    return false;
}

const BkStyle& CBkWindow::GetStyle() const {
    return LookupStyle(m_className);
}

void CBkWindow::SetText(const std::wstring& text) {
    m_innerText = text;
    if ((m_layoutFlags & (kWidthAuto | kHeightAuto)) == 0 || m_positionCount == 4)
        return;
    const SIZE desired = QueryDesiredSize(false, SIZE{0, 0});
    if (m_layoutFlags & kWidthAuto)
        m_rect.right = m_rect.left + desired.cx;
    if (m_layoutFlags & kHeightAuto)
        m_rect.bottom = m_rect.top + desired.cy;
}

void CBkWindow::DrawBackground(HDC dc) {
    const BkStyle& style = GetStyle();
    if (!style.m_strSkinName.empty()) {
        if (CBkSkinBase* skin = GetSkin(style.m_strSkinName))
            skin->Draw(dc, m_rect, m_state);
        return;
    }
    COLORREF color = m_crBg != kNoColor ? m_crBg : style.m_crBg;
    if ((m_state & kStateHover) && style.m_crBgHover != kNoColor)
        color = style.m_crBgHover;
    if (color != kNoColor && IsHighContrast())
        color = RoleColors(style.m_contrastRole, GetContrastLook()).face;
    if (color != kNoColor)
        FillSolid(dc, m_rect, color);
}

HFONT CBkWindow::ResolveFont(bool forMeasure) const {
    const BkStyle& style = GetStyle();
    HFONT font = m_font != nullptr ? m_font : style.m_hFont;
    // Measuring also takes the nearest ancestor's font; painting goes to the default. The
    // fonts are those of 96 DPI, made again at the scale of the view at work.
    for (const CBkWindow* parent = GetParent(); forMeasure && font == nullptr && parent != nullptr;
         parent = parent->GetParent())
        font = parent->m_font != nullptr ? parent->m_font : parent->GetStyle().m_hFont;

    // A disabled element paints without its hover look.
    if ((m_state & kStateHover) && (forMeasure || !IsDisabled(true))) {
        HFONT hover = style.m_hHoverFont;
        // Measuring also takes the nearest ancestor's hover font.
        for (const CBkWindow* parent = GetParent();
             forMeasure && hover == nullptr && parent != nullptr; parent = parent->GetParent())
            hover = parent->GetStyle().m_hHoverFont;
        if (hover != nullptr)
            font = hover;
    }
    BkFontPool& fonts = BkFontPool::Instance();
    return fonts.AtDpi(font != nullptr ? font : fonts.GetFont(0), CurrentDpi());
}

void CBkWindow::BeforePaint(HDC dc, BkPaintState& saved) {
    const BkStyle& style = GetStyle();
    if (!style.m_strSkinName.empty()) {
        saved.oldBkMode = ::SetBkMode(dc, TRANSPARENT);
        saved.bkModeSet = true;
    }
    COLORREF background = m_crBg != kNoColor ? m_crBg : style.m_crBg;
    COLORREF text = m_crText != kNoColor ? m_crText : style.m_crText;
    if (IsDisabled(true)) {
        if (style.m_crDisabled != kNoColor)
            text = style.m_crDisabled;
    } else if ((m_state & kStateHover) && style.m_crHover != kNoColor) {
        text = style.m_crHover;
    }
    if (IsHighContrast()) {
        const ContrastColors colors = RoleColors(style.m_contrastRole, GetContrastLook());
        if (background != kNoColor)
            background = colors.face;
        text = colors.ink;
    }
    if (background != kNoColor) {
        saved.oldBkColor = ::SetBkColor(dc, background);
        saved.bkColorSet = true;
    }

    HFONT font = ResolveFont(false);
    saved.oldFont = ::SelectObject(dc, font);
    if (text != kNoColor) {
        saved.oldTextColor = ::SetTextColor(dc, text);
        saved.textColorSet = true;
    }
    saved.textRect = m_rect;
    ::InflateRect(&saved.textRect, -Scaled(style.m_nMarginX), -Scaled(style.m_nMarginY));
}

void CBkWindow::AfterPaint(HDC dc, const BkPaintState& saved) {
    if (saved.textColorSet)
        ::SetTextColor(dc, saved.oldTextColor);
    if (saved.oldFont != nullptr)
        ::SelectObject(dc, saved.oldFont);
    if (saved.bkColorSet)
        ::SetBkColor(dc, saved.oldBkColor);
    if (saved.bkModeSet)
        ::SetBkMode(dc, saved.oldBkMode);
}

void CBkWindow::OnPaint(HDC dc) {
    DrawInnerText(dc);
}

void CBkWindow::DrawInnerText(HDC dc) {
    if (m_innerText.empty())
        return;
    BkPaintState saved;
    BeforePaint(dc, saved);
    const BkStyle& style = GetStyle();
    if (m_textFormat == 0)
        m_textFormat = style.m_nTextMode;
    RECT rect = saved.textRect;
    AdjustForDefaultFace(dc, rect, m_textFormat);
    PaintText(dc, m_innerText, rect, m_textFormat, style);
    AfterPaint(dc, saved);
}

void CBkWindow::OnShowWindow(BOOL show, int) {
    if (show)
        ModifyState(0, kStateHidden);
    else
        ModifyState(kStateHidden, 0);
}

void CBkWindow::OnWindowPosChanged(LPWINDOWPOS position) {
    ::OffsetRect(&m_rect, position->x - m_rect.left, position->y - m_rect.top);
    const SIZE desired = QueryDesiredSize(true, SIZE{position->cx, position->cy});
    m_rect = RECT{position->x, position->y, position->x + desired.cx, position->y + desired.cy};
    if (m_layoutFlags & kWidthFill)
        m_rect.right = std::max(m_rect.left, static_cast<LONG>(position->x + position->cx));
    else if (m_layoutFlags & kWidthFixed)
        m_rect.right = m_rect.left + Scaled(m_fixedWidth);
    if (m_layoutFlags & kHeightFill)
        m_rect.bottom = std::max(m_rect.top, static_cast<LONG>(position->y + position->cy));
    else if (m_layoutFlags & kHeightFixed)
        m_rect.bottom = m_rect.top + Scaled(m_fixedHeight);
}

LRESULT CBkWindow::OnNcCalcSize(BOOL constrain, LPARAM sizeRecord) {
    SIZE& size = *reinterpret_cast<SIZE*>(sizeRecord);
    if (m_positionCount == 4) {
        const int dpi = CurrentDpi();
        const LONG left = ResolvePositionItem(m_position[0], size.cx, dpi);
        const LONG top = ResolvePositionItem(m_position[1], size.cy, dpi);
        const LONG right = ResolvePositionItem(m_position[2], size.cx, dpi);
        const LONG bottom = ResolvePositionItem(m_position[3], size.cy, dpi);
        size = SIZE{right - left, bottom - top};
        return 0;
    }
    RECT rect = m_rect;
    if (constrain) {
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
    }
    size = MeasureText(rect);
    return 0;
}

SIZE CBkWindow::MeasureText(const RECT& rect) const {
    const BkStyle& style = GetStyle();
    const SIZE margins{2 * Scaled(style.m_nMarginX), 2 * Scaled(style.m_nMarginY)};
    if (m_innerText.empty())
        return margins;
    RECT measured = rect;
    ::InflateRect(&measured, -Scaled(style.m_nMarginX), -Scaled(style.m_nMarginY));
    // Alignment bits do not change the size.
    const UINT format = style.m_nTextMode & ~0xFu;
    if (format & DT_WORDBREAK)
        measured.bottom = 32767;
    WindowDC desktop(::GetDesktopWindow());
    MemoryDC dc(desktop);
    SelectObjectGuard font(dc, ResolveFont(true));
    ::DrawTextW(dc, m_innerText.c_str(), static_cast<int>(m_innerText.size()), &measured,
                format | DT_CALCRECT);
    return SIZE{measured.right - measured.left + margins.cx,
                measured.bottom - measured.top + margins.cy};
}

SIZE CBkWindow::QueryDesiredSize(bool constrain, SIZE space) {
    SendElementMessage(this, WM_NCCALCSIZE, constrain, reinterpret_cast<LPARAM>(&space));
    return space;
}

void CBkWindow::NotifyInvalidate(const RECT& rect) const {
    if (m_containerWindow == nullptr)
        return;
    BkNmInvalidate notice{};
    notice.header.hdr.hwndFrom = nullptr;
    notice.header.hdr.idFrom = m_id;
    notice.header.hdr.code = kBkNmInvalidate;
    notice.header.uItemID = m_id;
    notice.hBkWnd = m_handle;
    notice.rect = rect;
    ::SendMessageW(m_containerWindow, WM_NOTIFY, m_id, reinterpret_cast<LPARAM>(&notice));
}

void CBkWindow::NotifyMouseIfAsked(UINT message) const {
    const UINT bit = message == WM_MOUSEMOVE ? 1 : message == WM_MOUSELEAVE ? 2 : 0;
    if ((m_notify & bit) == 0 || m_containerWindow == nullptr)
        return;
    BkNmElementNotify notice{};
    notice.header.hdr.hwndFrom = m_containerWindow;
    notice.header.hdr.idFrom = kBkViewControlId;
    notice.header.hdr.code = kBkNmElementNotify;
    notice.header.uItemID = m_id;
    notice.szItemClass = "wnd";
    notice.uSubCode = message == WM_MOUSEMOVE ? kBkNmMouseMove : kBkNmMouseLeave;
    ::SendMessageW(m_containerWindow, WM_NOTIFY, kBkViewControlId,
                   reinterpret_cast<LPARAM>(&notice));
}

LRESULT SendElementMessage(CBkWindow* element, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    element->NotifyMouseIfAsked(message);
    element->SetMsgHandled(FALSE);
    element->HandleMessage(element->GetContainerWindow(), message, wParam, lParam, result);
    return result;
}
