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
    CBkWindow::OnWindowPosChanged(position);
    HWND window = GetRealWindow();
    if (window == nullptr)
        return;
    // Compared with where the window is rather than where the element was, so that a window
    // made after the first layout (typically while the dialog initialises) is placed too.
    RECT current;
    ::GetWindowRect(window, &current);
    ::MapWindowPoints(nullptr, m_containerWindow, reinterpret_cast<POINT*>(&current), 2);
    if (::EqualRect(&current, &m_rect))
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
