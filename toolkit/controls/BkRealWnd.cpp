#include "toolkit/controls/BkRealWnd.h"

#include "toolkit/elements/BkNotify.h"

HWND CBkRealWnd::GetRealWindow() const {
    return m_containerWindow != nullptr ? ::GetDlgItem(m_containerWindow, static_cast<int>(m_id))
                                        : nullptr;
}

void CBkRealWnd::ShowRealWindow() {
    if (HWND window = GetRealWindow())
        ::ShowWindow(window, IsVisible(true) ? SW_SHOW : SW_HIDE);
}

void CBkRealWnd::OnDestroy() {
    if (HWND window = GetRealWindow())
        ::ShowWindow(window, SW_HIDE);
}

void CBkRealWnd::OnWindowPosChanged(LPWINDOWPOS position) {
    const RECT previous = m_rect;
    CBkWindow::OnWindowPosChanged(position);
    HWND window = GetRealWindow();
    // Only a change of the element's own rectangle moves the window: one made after the
    // layout is placed by its maker, or at the element's next move.
    if (window == nullptr || ::EqualRect(&previous, &m_rect))
        return;
    ::SetWindowPos(window, nullptr, m_rect.left, m_rect.top, m_rect.right - m_rect.left,
                   m_rect.bottom - m_rect.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);

    BkNmRealWndMoved notice{};
    notice.header.hdr.hwndFrom = m_containerWindow;
    notice.header.hdr.idFrom = kBkViewControlId;
    notice.header.hdr.code = kBkNmRealWndMoved;
    notice.header.uItemID = m_id;
    notice.rcWnd = m_rect;
    ::SendMessageW(m_containerWindow, WM_NOTIFY, kBkViewControlId,
                   reinterpret_cast<LPARAM>(&notice));
    if (IsVisible(true)) {
        ::InvalidateRect(window, nullptr, TRUE);
        ::ShowWindow(window, SW_SHOW);
    }
}
