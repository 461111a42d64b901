// The top-level frame of a skinned window: a caption-less window whose whole area is client
// area, holding one host view built from a layout document, with the document's size rules,
// its keyboard and close handling, a drop shadow and a modal loop.
//
// T is the owner's controller, derived from this class: its message map is offered every
// message first and chains to this one (CHAIN_MSG_MAP(CBkDialogImpl<T>)).
#pragma once

#include "platform/CenterWindow.h"
#include "platform/ScopedLibrary.h"
#include "platform/WindowImpl.h"
#include "toolkit/frame/BkDialogView.h"
#include "toolkit/frame/BkShadowWnd.h"
#include "toolkit/frame/WindowDpi.h"
#include "toolkit/styles/HighContrast.h"

#include <algorithm>

#ifndef WM_FORWARDMSG
#define WM_FORWARDMSG 0x037F
#endif

template <typename T, typename TView = CBkDialogView>
class CBkDialogImpl : public CWindowImpl<T>, public MessageHandledFlag {
public:
    explicit CBkDialogImpl(UINT layoutResourceId) : m_layoutResourceId(layoutResourceId) {}

    // Runs the window modally; the code given to EndModal, or 0 when it could not be made.
    INT_PTR DoModal(HWND owner = nullptr);
    // Ends the modal loop with the code.
    void EndModal(INT_PTR code) {
        m_modalResult = code;
        m_endModal = true;
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
    }

    TView& GetView() { return m_view; }
    CShadowWnd& GetShadow() { return m_shadow; }

    // Every message of the frame, its owner's handlers and the rounded frame's included, is
    // handled at the view's display scale.
    BOOL RouteWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) {
        const DpiScope scope(m_view.GetDpi());
        return static_cast<T*>(this)->ProcessWindowMessage(window, message, wParam, lParam, result);
    }

    // Lets tools outside the process read an element, for tests of the whole program: sent
    // with an element id, this message answers a global atom that the caller deletes, holding
    // "<state bits>|<text colour as RRGGBB, or none>|<text>", or 0 for an unknown id.
    static UINT QueryElementMessage() {
        static const UINT message = ::RegisterWindowMessageW(L"BkDialogQueryElement");
        return message;
    }

    BEGIN_MSG_MAP(CBkDialogImpl)
    MESSAGE_HANDLER(QueryElementMessage(), OnQueryElement)
    MESSAGE_HANDLER(WM_DESTROY, OnShadowMessage)
    MESSAGE_HANDLER(WM_MOVE, OnShadowMessage)
    MESSAGE_HANDLER(WM_SIZE, OnShadowMessage)
    MESSAGE_HANDLER(WM_PAINT, OnShadowMessage)
    MESSAGE_HANDLER(WM_SHOWWINDOW, OnShadowMessage)
    MESSAGE_HANDLER(WM_MOVING, OnShadowMessage)
    MESSAGE_HANDLER(WM_EXITSIZEMOVE, OnShadowMessage)
    MESSAGE_HANDLER(WM_DPICHANGED, OnDpiChanged)
    MESSAGE_HANDLER(WM_NCCALCSIZE, OnNcCalcSize)
    MESSAGE_HANDLER(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
    MESSAGE_HANDLER(WM_GETMINMAXINFO, OnGetMinMaxInfo)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_NCACTIVATE, OnNcActivate)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnAnswerTrue)
    MESSAGE_HANDLER(WM_SETTINGCHANGE, OnSettingChange)
    MESSAGE_HANDLER(WM_SYSCOLORCHANGE, OnContrastChange)
    MESSAGE_HANDLER(WM_THEMECHANGED, OnContrastChange)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
    MESSAGE_HANDLER(WM_SETFOCUS, OnSetFocus)
    MESSAGE_HANDLER(WM_ENTERSIZEMOVE, OnSizeMove)
    MESSAGE_HANDLER(WM_EXITSIZEMOVE, OnSizeMove)
    END_MSG_MAP()

protected:
    HWND Frame() const { return this->m_hWnd; }

    LRESULT OnQueryElement(UINT, WPARAM wParam, LPARAM, BOOL&) {
        const CBkWindow* element = m_view.FindElementById(static_cast<UINT>(wParam));
        if (element == nullptr)
            return 0;
        const COLORREF color = element->GetTextColor();
        wchar_t colorText[8] = L"none";
        if (color != kNoColor)
            ::wsprintfW(colorText, L"%02X%02X%02X", GetRValue(color), GetGValue(color),
                        GetBValue(color));
        std::wstring answer = std::to_wstring(element->GetState()) + L"|" + colorText + L"|" +
                              element->GetInnerText();
        // An atom holds at most 255 characters.
        answer.resize(std::min<size_t>(answer.size(), 255));
        return ::GlobalAddAtomW(answer.c_str());
    }

    LRESULT OnShadowMessage(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
        if (m_shadowEnabled)
            m_shadow.OnOwnerMessage(message, wParam, lParam);
        handled = FALSE;
        return 0;
    }

    // Moved to a monitor of another scale, or the scale changed: the view lays out again at
    // the new scale and the frame takes the rectangle the system suggests, which resizes the
    // view, the shadow and the rounded region with it.
    LRESULT OnDpiChanged(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
        const int dpi = LOWORD(wParam);
        m_view.SetDpi(dpi);
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(Frame(), nullptr, suggested.left, suggested.top,
                       suggested.right - suggested.left, suggested.bottom - suggested.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }

    // The whole window is client area, at least the minimum size, exactly the document's
    // size when it holds its size.
    LRESULT OnNcCalcSize(UINT, WPARAM wParam, LPARAM lParam, BOOL& handled) {
        if (!wParam)
            return 0;
        auto* sizes = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        const UINT flags = sizes->lppos != nullptr ? sizes->lppos->flags : 0;
        if (flags & SWP_NOSIZE)
            return 0;
        const RECT proposed = sizes->rgrc[0];
        RECT rect = proposed;
        if (!m_view.IsChildDocument()) {
            ::GetWindowRect(Frame(), &rect);
            if ((flags & SWP_NOMOVE) == 0)
                ::OffsetRect(&rect, proposed.left - rect.left, proposed.top - rect.top);
        }
        LONG width =
            std::max<LONG>(proposed.right - proposed.left, m_view.ToDevice(m_view.GetMinWidth()));
        LONG height =
            std::max<LONG>(proposed.bottom - proposed.top, m_view.ToDevice(m_view.GetMinHeight()));
        if (HoldsDocumentSize()) {
            const SIZE size = m_view.GetDeviceSize();
            width = size.cx;
            height = size.cy;
        }
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
        sizes->rgrc[0] = rect;
        handled = TRUE;
        return 0;
    }

    LRESULT OnWindowPosChanging(UINT, WPARAM, LPARAM lParam, BOOL& handled) {
        if (HoldsDocumentSize()) {
            auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
            const SIZE size = m_view.GetDeviceSize();
            position->cx = size.cx;
            position->cy = size.cy;
        }
        handled = FALSE;
        return 0;
    }

    LRESULT OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, BOOL&) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (m_view.IsResizable()) {
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            ::GetMonitorInfoW(::MonitorFromWindow(Frame(), MONITOR_DEFAULTTONEAREST), &monitor);
            const RECT& work = monitor.rcWork;
            info->ptMaxSize = POINT{work.right - work.left, work.bottom - work.top};
            info->ptMaxTrackSize = info->ptMaxSize;
            info->ptMaxPosition =
                POINT{work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
        } else {
            const SIZE size = m_view.GetDeviceSize();
            info->ptMaxSize = POINT{size.cx, size.cy};
            info->ptMaxTrackSize = info->ptMaxSize;
            info->ptMaxPosition = POINT{0, 0};
        }
        return 0;
    }

    // Keeps the view over the client area; refuses a maximise the document does not allow.
    LRESULT OnSize(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
        handled = FALSE;
        if (wParam == SIZE_MINIMIZED)
            return 0;
        RECT client;
        ::GetClientRect(Frame(), &client);
        if (m_view.IsWindow())
            ::SetWindowPos(m_view, nullptr, 0, 0, client.right, client.bottom,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        if (wParam == SIZE_MAXIMIZED && !m_view.IsResizable()) {
            ::SetWindowLongW(Frame(), GWL_STYLE,
                             ::GetWindowLongW(Frame(), GWL_STYLE) & ~WS_MAXIMIZE);
            CenterWindow(Frame());
        }
        return 0;
    }

    LRESULT OnAnswerTrue(UINT, WPARAM, LPARAM, BOOL&) { return TRUE; }

    // Nothing to draw outside the client area; under a high-contrast theme the title bar shows
    // whether the window is active.
    LRESULT OnNcActivate(UINT, WPARAM wParam, LPARAM, BOOL&) {
        m_view.SetCaptionActive(wParam != FALSE);
        return TRUE;
    }

    LRESULT OnSettingChange(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
        if (wParam == SPI_SETHIGHCONTRAST)
            return OnContrastChange(message, wParam, lParam, handled);
        handled = FALSE;
        return 0;
    }

    // A high-contrast theme turned on or off, or its colours changed: the window follows at
    // once, its shadow too (which such a theme does not show).
    LRESULT OnContrastChange(UINT, WPARAM, LPARAM, BOOL& handled) {
        RefreshHighContrast();
        m_view.RepaintAll();
        if (m_shadowEnabled)
            m_shadow.Refresh();
        handled = FALSE;
        return 0;
    }

    // Closing is the owner's decision: it gets a click on element 2.
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&) {
        ::SendMessageW(Frame(), WM_COMMAND, IDCANCEL, 0);
        return 0;
    }

    LRESULT OnKeyDown(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
        handled = FALSE;
        if (!::IsWindowEnabled(Frame()) || (::GetKeyState(VK_CONTROL) & 0x8000))
            return 0;
        if (wParam == VK_ESCAPE)
            ::SendMessageW(Frame(), WM_COMMAND, IDCANCEL, 0);
        else if (wParam == VK_RETURN)
            ::SendMessageW(Frame(), WM_COMMAND, IDOK, 0);
        return 0;
    }

    // IDOK and IDCANCEL reach the owner as clicks on elements 1 and 2.
    LRESULT OnCommand(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
        const UINT command = LOWORD(wParam);
        if (command != IDOK && command != IDCANCEL) {
            handled = FALSE;
            return 0;
        }
        BkNmCommand notice{};
        notice.header.hdr.hwndFrom = m_view;
        notice.header.hdr.idFrom = kBkViewControlId;
        notice.header.hdr.code = kBkNmClick;
        notice.header.uItemID = command;
        notice.szItemClass = "";
        ::SendMessageW(Frame(), WM_NOTIFY, kBkViewControlId, reinterpret_cast<LPARAM>(&notice));
        return 0;
    }

    // A page up or down for the window under the pointer when it is one of this program's: where
    // the wheel goes to the focused window (Windows 7, or "Scroll inactive windows" off), the
    // window under the pointer is often another program's, which is none of ours to scroll.
    LRESULT OnMouseWheel(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        HWND target = ::WindowFromPoint(point);
        DWORD process = 0;
        if (target != nullptr && ::GetWindowThreadProcessId(target, &process) != 0 &&
            process == ::GetCurrentProcessId()) {
            const WORD page = static_cast<short>(HIWORD(wParam)) > 0 ? SB_PAGEUP : SB_PAGEDOWN;
            const int position = ::GetScrollPos(target, SB_VERT);
            ::SendMessageW(target, WM_VSCROLL, MAKEWPARAM(page, position), 0);
        }
        return 0;
    }

    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL&) {
        if (m_view.IsWindow())
            ::SetFocus(m_view);
        return 0;
    }

    // Outlines instead of full-window dragging during moves, when asked for.
    LRESULT OnSizeMove(UINT message, WPARAM, LPARAM, BOOL& handled) {
        handled = FALSE;
        if (!m_noFullDrag)
            return 0;
        if (message == WM_ENTERSIZEMOVE) {
            BOOL full = FALSE;
            ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
            m_savedFullDrag = full ? 1 : 0;
            ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
        } else if (m_savedFullDrag >= 0) {
            ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, m_savedFullDrag, nullptr, 0);
            m_savedFullDrag = -1;
        }
        return 0;
    }

    UINT m_layoutResourceId;
    TView m_view;
    CShadowWnd m_shadow;
    bool m_shadowEnabled = true;
    bool m_noFullDrag = false;
    int m_savedFullDrag = -1;
    INT_PTR m_modalResult = 0;
    bool m_endModal = false;

private:
    bool HoldsDocumentSize() const {
        return m_view.HoldsSize() && m_view.GetWidth() != 0 && m_view.GetHeight() != 0;
    }

    bool CreateFrame(HWND owner);
    // Keyboard and mouse messages go first to the view's child that holds the focus, then
    // to the view's dialog navigation; true when one of them took the message.
    bool PreTranslate(MSG& message);
    void BringToForeground();
};

template <typename T, typename TView> bool CBkDialogImpl<T, TView>::CreateFrame(HWND owner) {
    const std::wstring& title = m_view.GetTitle();
    // At the scale of where the window will show: its owner's monitor, else the system's.
    m_view.SetDpi(WindowDpi(owner));
    const SIZE initial = m_view.GetDeviceSize();
    const RECT rect{0, 0, initial.cx, initial.cy};
    if (this->Create(owner, rect, title.empty() ? nullptr : title.c_str(), m_view.GetStyle(),
                     m_view.GetExStyle()) == nullptr)
        return false;
    HWND frame = Frame();
    if (m_shadowEnabled && !m_view.IsChildDocument() && m_shadow.Create(frame))
        m_view.AttachShadow(&m_shadow);

    // The frame draws itself: no visual theme.
    using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    const ScopedLibrary theme(L"uxtheme.dll");
    if (const auto setTheme = theme.Find<SetWindowThemeFunction>("SetWindowTheme"))
        setTheme(frame, L"", L"");
    if (m_view.CreateView(frame) == nullptr)
        return false;
    // The monitor the window came up on may have a scale of its own.
    const int dpi = WindowDpi(frame);
    if (dpi != m_view.GetDpi()) {
        m_view.SetDpi(dpi);
        const SIZE size = m_view.GetDeviceSize();
        ::SetWindowPos(frame, nullptr, 0, 0, size.cx, size.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

template <typename T, typename TView> void CBkDialogImpl<T, TView>::BringToForeground() {
    HWND frame = Frame();
    // The lock time-out belongs to the whole session: lifted only while the frame comes
    // forward, then put back as it was.
    DWORD lockTimeout = 0;
    const bool lockRead =
        ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0) != FALSE;
    ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    ::SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    HWND foreground = ::GetForegroundWindow();
    const DWORD foregroundThread =
        foreground != nullptr ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
    const DWORD ownThread = ::GetCurrentThreadId();
    if (foregroundThread != 0 && foregroundThread != ownThread) {
        ::AttachThreadInput(foregroundThread, ownThread, TRUE);
        ::SetForegroundWindow(frame);
        ::AttachThreadInput(foregroundThread, ownThread, FALSE);
    } else {
        ::SetForegroundWindow(frame);
    }
    if (lockRead)
        ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                reinterpret_cast<void*>(static_cast<UINT_PTR>(lockTimeout)), 0);
}

template <typename T, typename TView> bool CBkDialogImpl<T, TView>::PreTranslate(MSG& message) {
    const bool keyboard = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    const bool mouse = message.message >= WM_MOUSEFIRST && message.message <= WM_XBUTTONDBLCLK;
    if (!keyboard && !mouse)
        return false;
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(Frame(), focus)) {
        HWND child = focus;
        while (child != nullptr && ::GetParent(child) != m_view.m_hWnd)
            child = ::GetParent(child);
        if (child != nullptr &&
            ::SendMessageW(child, WM_FORWARDMSG, 0, reinterpret_cast<LPARAM>(&message)) == 1)
            return true;
    }
    return m_view.IsWindow() && ::IsDialogMessageW(m_view, &message);
}

template <typename T, typename TView> INT_PTR CBkDialogImpl<T, TView>::DoModal(HWND owner) {
    if (owner == nullptr)
        owner = ::GetActiveWindow();
    const bool disableOwner =
        owner != nullptr && owner != ::GetDesktopWindow() && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);

    if ((!m_view.IsLoaded() && !m_view.LoadLayout(m_layoutResourceId)) || !CreateFrame(owner)) {
        if (this->IsWindow())
            this->DestroyWindow();
        if (disableOwner)
            ::EnableWindow(owner, TRUE);
        return 0;
    }
    HWND frame = Frame();
    ::SendMessageW(frame, WM_INITDIALOG, reinterpret_cast<WPARAM>(frame), 0);
    CBkDialog* sections[3];
    const int count = m_view.Sections(sections);
    for (int i = 0; i < count; ++i)
        ShowRealWindowsBelow(sections[i]);

    // The client area, which is the whole window, gets exactly the document's size.
    if (m_view.GetWidth() != 0 && m_view.GetHeight() != 0) {
        RECT window, client;
        ::GetWindowRect(frame, &window);
        ::GetClientRect(frame, &client);
        const SIZE size = m_view.GetDeviceSize();
        ::SetWindowPos(frame, nullptr, 0, 0, size.cx + (window.right - window.left) - client.right,
                       size.cy + (window.bottom - window.top) - client.bottom,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CenterWindow(frame, owner);
    BringToForeground();
    m_view.SetCaptionActive(::GetActiveWindow() == frame);

    MSG message;
    while (!m_endModal && ::IsWindow(frame) &&
           !::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) &&
           ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!PreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }

    m_endModal = false;
    const bool wasActive = ::GetActiveWindow() == frame;
    if (::IsWindow(frame))
        ::SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (wasActive && owner != nullptr)
        ::SetActiveWindow(owner);
    if (::IsWindow(frame))
        ::DestroyWindow(frame);
    return m_modalResult;
}
