// The view's keyboard: the focus among the elements that take clicks, Tab and Shift+Tab to
// move it, Space and Enter to click, and the focus cue that shows it once the keyboard is used.
#include "toolkit/frame/BkDialogView.h"

#include "platform/GdiplusSession.h"
#include "toolkit/elements/ElementRegistry.h"
#include "toolkit/styles/HighContrast.h"

#include <objidl.h>
#include <gdiplus.h>
#include <oleacc.h>

#include <algorithm>

namespace {

// The accent blue of the program's look; a high-contrast theme's highlight in its place.
constexpr COLORREF kFocusCueColor = RGB(0x2B, 0x78, 0xB4);
// How far the cue stands off the element, and its width, at 96 DPI.
constexpr int kFocusCueGap = 3;
constexpr float kFocusCueWidth = 1.5f;

POINT CentreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

} // namespace

std::vector<CBkWindow*> CBkDialogView::TabStops() {
    std::vector<CBkWindow*> stops;
    CBkDialog* sections[3];
    const int count = Sections(sections);
    for (int i = 0; i < count; ++i) {
        VisitInDocumentOrder(*sections[i], [&stops](CBkWindow& element) {
            if (!element.IsVisible(false))
                return false;
            if (element.IsTabStop() && element.TakesClicks() && !element.IsDisabled(true))
                stops.push_back(&element);
            return true;
        });
    }
    return stops;
}

CBkWindow* CBkDialogView::GetFocusElement() const {
    // An element disabled or hidden, itself or through a container, has lost the focus.
    CBkWindow* element = FindElement(m_focusElement);
    return element != nullptr && element->IsVisible(true) && !element->IsDisabled(true) ? element
                                                                                        : nullptr;
}

void CBkDialogView::SetFocusElement(CBkWindow* element) {
    const UINT handle = element != nullptr ? element->GetHandle() : 0;
    if (handle == m_focusElement)
        return;
    InvalidateFocusCue();
    m_focusElement = handle;
    InvalidateFocusCue();
    if (element != nullptr && ::GetFocus() == m_hWnd)
        NotifyAccessibility(EVENT_OBJECT_FOCUS, *element);
}

void CBkDialogView::MoveFocus(bool backward) {
    const std::vector<CBkWindow*> stops = TabStops();
    if (stops.empty())
        return;
    const auto current = std::find(stops.begin(), stops.end(), GetFocusElement());
    size_t next = 0;
    if (current == stops.end())
        next = backward ? stops.size() - 1 : 0;
    else if (backward)
        next = (current - stops.begin() + stops.size() - 1) % stops.size();
    else
        next = (current - stops.begin() + 1) % stops.size();
    SetFocusElement(stops[next]);
}

UINT CBkDialogView::ClickMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"BkDialogViewClick");
    return message;
}

bool CBkDialogView::CanClick(const CBkWindow& element) const {
    return element.IsVisible(true) && !element.IsDisabled(true) && ::IsWindowEnabled(m_hWnd) &&
           ::IsWindowEnabled(::GetAncestor(m_hWnd, GA_ROOT));
}

void CBkDialogView::PostClick(const CBkWindow& element) {
    ::PostMessageW(m_hWnd, ClickMessage(), element.GetHandle(), 0);
}

LRESULT CBkDialogView::OnPostedClick(UINT, WPARAM wParam, LPARAM, BOOL&) {
    const UINT handle = static_cast<UINT>(wParam);
    const CBkWindow* element = FindElement(handle);
    // Much may have changed since it was posted: a second click posted in the same breath is
    // delivered by the message loop of the box that the first one opened.
    if (element != nullptr && CanClick(*element))
        ClickElement(handle, 0, CentreOf(element->GetRect()));
    return 0;
}

LRESULT CBkDialogView::OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    CBkWindow* focused = GetFocusElement();
    switch (wParam) {
    case VK_TAB:
        ShowFocusCue(true);
        MoveFocus((::GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return 0;
    case VK_SPACE:
        // A button clicks when Space comes up, showing itself pressed meanwhile.
        if (focused != nullptr && m_keyPressed == 0) {
            ShowFocusCue(true);
            m_keyPressed = focused->GetHandle();
            ChangeState(*focused, kStatePushed, 0);
        }
        return 0;
    case VK_RETURN:
        if (focused != nullptr) {
            ShowFocusCue(true);
            ClickElement(focused->GetHandle(), 0, CentreOf(focused->GetRect()));
            return 0;
        }
        break;
    case VK_ESCAPE:
        break;
    default:
        handled = FALSE;
        return 0;
    }
    // The frame's keyboard handling: Esc cancels, Enter without a focused element is OK.
    return ::SendMessageW(::GetParent(m_hWnd), message, wParam, lParam);
}

LRESULT CBkDialogView::OnKeyUp(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
    if (wParam != VK_SPACE || m_keyPressed == 0) {
        handled = FALSE;
        return 0;
    }
    const UINT pressed = m_keyPressed;
    m_keyPressed = 0;
    CBkWindow* element = FindElement(pressed);
    if (element == nullptr)
        return 0;
    ChangeState(*element, 0, kStatePushed);
    if (pressed == m_focusElement && !element->IsDisabled(true))
        ClickElement(pressed, 0, CentreOf(element->GetRect()));
    return 0;
}

LRESULT CBkDialogView::OnKillFocus(UINT, WPARAM, LPARAM, BOOL& handled) {
    InvalidateFocusCue();
    if (CBkWindow* pressed = FindElement(m_keyPressed))
        ChangeState(*pressed, 0, kStatePushed);
    m_keyPressed = 0;
    handled = FALSE;
    return 0;
}

void CBkDialogView::ShowFocusCue(bool show) {
    if (show == m_focusCueShown)
        return;
    m_focusCueShown = show;
    InvalidateFocusCue();
    // The frame keeps the keyboard cues of all its windows, as dialog boxes do.
    if (HWND frame = ::GetAncestor(m_hWnd, GA_ROOT))
        ::SendMessageW(frame, WM_CHANGEUISTATE,
                       MAKEWPARAM(show ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
}

LRESULT CBkDialogView::OnUpdateUiState(UINT message, WPARAM wParam, LPARAM lParam, BOOL&) {
    // The default handling stores the state and passes it on to the child windows.
    const LRESULT result = ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    const bool shown = (::SendMessageW(m_hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
    if (shown != m_focusCueShown) {
        m_focusCueShown = shown;
        InvalidateFocusCue();
    }
    return result;
}

RECT CBkDialogView::FocusCueRect(const CBkWindow& element) const {
    RECT rect = element.GetRect();
    const int reach = ToDevice(kFocusCueGap + 1);
    ::InflateRect(&rect, reach, reach);
    return rect;
}

void CBkDialogView::InvalidateFocusCue() {
    if (const CBkWindow* focused = GetFocusElement())
        InvalidateArea(FocusCueRect(*focused));
}

void CBkDialogView::DrawFocusCue(HDC dc) {
    const CBkWindow* focused = GetFocusElement();
    if (!m_focusCueShown || focused == nullptr || !focused->IsVisible(true) ||
        ::GetFocus() != m_hWnd)
        return;
    // A rounded outline: a circle round a round button, a capsule round a line of text.
    RECT rect = focused->GetRect();
    ::InflateRect(&rect, ToDevice(kFocusCueGap), ToDevice(kFocusCueGap));
    const float width = static_cast<float>(rect.right - rect.left);
    const float height = static_cast<float>(rect.bottom - rect.top);
    const float diameter = std::min(width, height);
    Gdiplus::GraphicsPath path;
    const float left = static_cast<float>(rect.left), top = static_cast<float>(rect.top);
    path.AddArc(left, top, diameter, diameter, 90, 180);
    path.AddArc(left + width - diameter, top, diameter, diameter, 270, 180);
    path.CloseFigure();
    EnsureGdiplusStarted();
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const COLORREF color = IsHighContrast() ? ContrastColor(COLOR_HIGHLIGHT) : kFocusCueColor;
    const Gdiplus::Pen pen(
        Gdiplus::Color(255, GetRValue(color), GetGValue(color), GetBValue(color)),
        kFocusCueWidth * m_dpi / kDefaultDpi);
    graphics.DrawPath(&pen, &path);
}
