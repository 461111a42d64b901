// The view's input: hover, press and release turned into element states and notifications for
// the frame; the cursor, the tooltip, and the messages passed on or reflected.
#include "toolkit/frame/BkDialogView.h"

#include "toolkit/controls/BkRealWnd.h"
#include "toolkit/elements/ElementRegistry.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

namespace {

// Messages a control sends its parent come back to the control at this offset.
constexpr UINT kReflectedBase = 0x2000;

// Tags of the elements that take a press themselves: pressing on any other header element
// drags the window.
bool IsClickable(const CBkWindow& element) {
    for (const char* tag : {"button", "imgbtn", "dlgbtn", "tabctrl", "link", "skinbtn", "check"}) {
        if (element.MatchesTag(tag))
            return true;
    }
    return false;
}

LPARAM PointParam(POINT point) {
    return MAKELPARAM(point.x, point.y);
}

} // namespace

CBkWindow* CBkDialogView::HitTestSections(POINT point) {
    CBkDialog* sections[3];
    const int count = Sections(sections);
    // Header, body, footer: the order in which Sections lists them.
    for (int i = 0; i < count; ++i) {
        if (const UINT hit = sections[i]->HitTest(point.x, point.y))
            return FindElement(hit);
    }
    return nullptr;
}

bool CBkDialogView::DragsFrame(CBkWindow* headerHit) const {
    return headerHit != nullptr && !IsClickable(*headerHit) && !IsChildDocument();
}

void CBkDialogView::ChangeState(CBkWindow& element, DWORD add, DWORD remove) {
    const DWORD old = element.ModifyState(add, remove);
    if (old != element.GetState() && element.RedrawOnStateChange())
        InvalidateElement(element);
}

void CBkDialogView::NotifyOwner(UINT code, const CBkWindow* element) {
    BkNmHeader notice{};
    notice.hdr.hwndFrom = m_hWnd;
    notice.hdr.idFrom = kBkViewControlId;
    notice.hdr.code = code;
    notice.uItemID = element != nullptr ? element->GetCmdID() : 0;
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, kBkViewControlId,
                   reinterpret_cast<LPARAM>(&notice));
}

void CBkDialogView::NotifyOwnerCommand(UINT code, const CBkWindow& element) {
    BkNmCommand notice{};
    notice.header.hdr.hwndFrom = m_hWnd;
    notice.header.hdr.idFrom = kBkViewControlId;
    notice.header.hdr.code = code;
    notice.header.uItemID = element.GetCmdID();
    notice.szItemClass = element.GetTagName();
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, kBkViewControlId,
                   reinterpret_cast<LPARAM>(&notice));
}

LRESULT CBkDialogView::OnRelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    if (m_toolTip != nullptr) {
        MSG relayed{m_hWnd, message, wParam, lParam, 0, {0, 0}};
        ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    handled = FALSE;
    return 0;
}

void CBkDialogView::OnMouseMove(UINT flags, POINT point) {
    if (!m_tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
        m_tracking = ::TrackMouseEvent(&track) != FALSE;
    }
    CBkWindow* target = HitTestSections(point);
    if (target == nullptr)
        return;
    const bool disabled = target->IsDisabled(true);
    if (!disabled)
        SendElementMessage(target, WM_MOUSEMOVE, flags, PointParam(point));
    NotifyOwner(kBkNmMouseMove, target);

    if (target->GetHandle() == m_hoverElement)
        return;
    CBkWindow* previous = FindElement(m_hoverElement);
    if (previous != nullptr && !previous->IsDisabled(true)) {
        ChangeState(*previous, 0, kStateHover);
        SendElementMessage(previous, WM_MOUSELEAVE);
        NotifyOwner(kBkNmMouseLeave, previous);
    }
    if (!disabled)
        ChangeState(*target, kStateHover, 0);
    m_hoverElement = target->GetHandle();
    UpdateToolTip(target);
}

void CBkDialogView::OnMouseLeave() {
    m_tracking = false;
    const CBkWindow* last = nullptr;
    if (CBkWindow* hover = FindElement(m_hoverElement)) {
        ChangeState(*hover, 0, kStateHover);
        SendElementMessage(hover, WM_MOUSELEAVE);
        last = hover;
    }
    m_hoverElement = 0;
    if (CBkWindow* pushed = FindElement(m_pushedElement)) {
        ChangeState(*pushed, 0, kStatePushed);
        last = pushed;
    }
    m_pushedElement = 0;
    NotifyOwner(kBkNmMouseLeave, last);
}

void CBkDialogView::OnLButtonDown(UINT flags, POINT point) {
    HWND frame = ::GetParent(m_hWnd);
    if (m_hasHeader) {
        CBkWindow* headerHit = FindElement(m_header.HitTest(point.x, point.y));
        if (DragsFrame(headerHit)) {
            ::SetFocus(m_hWnd);
            if (!::IsIconic(frame) && m_movable)
                ::SendMessageW(frame, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
            return;
        }
    }
    CBkWindow* target = HitTestSections(point);
    if (target == nullptr || target->IsDisabled(true) || m_captured)
        return;
    // The mouse hides the keyboard's focus cue; a tab stop pressed takes the focus.
    ShowFocusCue(false);
    if (target->IsTabStop() && target->TakesClicks())
        SetFocusElement(target);
    ::SetCapture(m_hWnd);
    m_captured = true;
    m_hoverElement = m_pushedElement = target->GetHandle();
    ChangeState(*target, kStatePushed, 0);
    SendElementMessage(target, WM_LBUTTONDOWN, flags, PointParam(point));
    NotifyOwner(kBkNmLButtonDown, target);
}

void CBkDialogView::OnRButtonDown(UINT, POINT point) {
    if (CBkWindow* target = HitTestSections(point))
        NotifyOwner(kBkNmRButtonDown, target);
}

void CBkDialogView::OnLButtonUp(UINT flags, POINT point) {
    ::SetFocus(m_hWnd);
    if (m_captured) {
        m_captured = false;
        ::ReleaseCapture();
    }
    CBkWindow* pushed = FindElement(m_pushedElement);
    const UINT pushedHandle = m_pushedElement;
    m_pushedElement = 0;
    if (pushed == nullptr)
        return;
    ChangeState(*pushed, 0, kStatePushed);
    if (pushedHandle == m_hoverElement)
        ClickElement(pushedHandle, flags, point);
}

void CBkDialogView::ClickElement(UINT handle, UINT flags, POINT point) {
    if (CBkWindow* element = FindElement(handle))
        SendElementMessage(element, WM_LBUTTONUP, flags, PointParam(point));
    // The element may be gone after its own handling.
    CBkWindow* element = FindElement(handle);
    if (element == nullptr)
        return;
    if (!element->GetLinkUrl().empty())
        ::ShellExecuteW(nullptr, L"open", element->GetLinkUrl().c_str(), nullptr, nullptr,
                        SW_SHOWNORMAL);
    else if (element->GetCmdID() != 0)
        NotifyOwnerCommand(kBkNmClick, *element);
}

void CBkDialogView::OnLButtonDblClk(UINT, POINT point) {
    HWND frame = ::GetParent(m_hWnd);
    if (m_hasHeader && m_resize) {
        CBkWindow* headerHit = FindElement(m_header.HitTest(point.x, point.y));
        if (headerHit != nullptr && !IsClickable(*headerHit)) {
            const UINT command = ::IsZoomed(frame) ? SC_RESTORE : SC_MAXIMIZE;
            ::SendMessageW(frame, WM_SYSCOMMAND, command | HTCAPTION, 0);
            return;
        }
    }
    ::SetFocus(m_hWnd);
    if (CBkWindow* target = HitTestSections(point))
        NotifyOwnerCommand(kBkNmDoubleClick, *target);
}

LRESULT CBkDialogView::OnCaptureChanged(UINT, WPARAM, LPARAM lParam, BOOL&) {
    if (!m_captured || reinterpret_cast<HWND>(lParam) == m_hWnd)
        return 0;
    m_captured = false;
    if (CBkWindow* pushed = FindElement(m_pushedElement))
        ChangeState(*pushed, 0, kStatePushed);
    m_pushedElement = 0;
    return 0;
}

LRESULT CBkDialogView::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&) {
    if (CBkWindow* hover = FindElement(m_hoverElement)) {
        // A real window sets its own cursor.
        if (hover->MatchesTag(CBkRealWnd::kTagName))
            return 0;
        if (!hover->IsDisabled(true)) {
            hover->ApplyCursor();
            return 1;
        }
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return 1;
}

LRESULT CBkDialogView::OnSetFocus(UINT, WPARAM, LPARAM, BOOL& handled) {
    InvalidateFocusCue();
    if (CBkWindow* focused = GetFocusElement())
        NotifyAccessibility(EVENT_OBJECT_FOCUS, *focused);
    if (HWND first = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE)) {
        if (first != m_hWnd && ::IsChild(m_hWnd, first))
            ::SetFocus(first);
    }
    handled = FALSE;
    return 0;
}

void CBkDialogView::CreateToolTip() {
    m_toolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (m_toolTip == nullptr)
        return;
    // One tool for the whole view, owned by the frame; its text follows the hover element.
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = ::GetParent(m_hWnd);
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
    ::SendMessageW(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 5000);
}

void CBkDialogView::UpdateToolTip(const CBkWindow* element) {
    if (m_toolTip == nullptr)
        return;
    m_toolTipText = element != nullptr ? element->GetToolTipText() : std::wstring();
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = ::GetParent(m_hWnd);
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = const_cast<wchar_t*>(m_toolTipText.c_str());
    ::SendMessageW(m_toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CBkDialogView::OnInvalidateNotice(int, LPNMHDR header, BOOL&) {
    const auto* notice = reinterpret_cast<const BkNmInvalidate*>(header);
    if (FindElement(notice->hBkWnd) != nullptr)
        InvalidateArea(notice->rect);
    return 0;
}

LRESULT CBkDialogView::OnReflectNotify(int, LPNMHDR header, BOOL& handled) {
    if (header->hwndFrom == nullptr || !::IsChild(m_hWnd, header->hwndFrom)) {
        handled = FALSE;
        return 0;
    }
    return ::SendMessageW(header->hwndFrom, kReflectedBase + WM_NOTIFY, 0,
                          reinterpret_cast<LPARAM>(header));
}

LRESULT CBkDialogView::OnPassToFrame(UINT message, WPARAM wParam, LPARAM lParam, BOOL&) {
    return ::SendMessageW(::GetParent(m_hWnd), message, wParam, lParam);
}

LRESULT CBkDialogView::OnReflect(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    // The child control that the message concerns.
    HWND child = nullptr;
    switch (message) {
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY)
            child = reinterpret_cast<HWND>(lParam);
        else
            child = ::GetDlgItem(m_hWnd, HIWORD(wParam));
        break;
    case WM_DRAWITEM:
        if (wParam != 0)
            child = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (wParam != 0)
            child = ::GetDlgItem(m_hWnd, reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->CtlID);
        break;
    case WM_COMPAREITEM:
        if (wParam != 0)
            child = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
        break;
    case WM_DELETEITEM:
        if (wParam != 0)
            child = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
        break;
    default: // WM_VKEYTOITEM, WM_CHARTOITEM and the WM_CTLCOLOR messages name it in lParam
        child = reinterpret_cast<HWND>(lParam);
        break;
    }
    if (child == nullptr || !::IsWindow(child)) {
        handled = FALSE;
        return 0;
    }
    const LRESULT result = ::SendMessageW(child, kReflectedBase + message, wParam, lParam);
    if (result == 0 && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        handled = FALSE;
    return result;
}
