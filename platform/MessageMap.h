// Stand-in for the framework's message maps: a class lists message -> handler in the order a
// message is offered, and the first handler that keeps the message handled ends the dispatch.
//
// The map defines ProcessWindowMessage. Handlers are either raw (MESSAGE_HANDLER: the handler
// gets the message, wParam, lParam and a handled flag it may clear) or cracked (MSG_WM_*: the
// handler gets the message's own arguments and may call SetMsgHandled(FALSE) to pass it on).
// A class with cracked handlers needs SetMsgHandled and IsMsgHandled (see MessageHandledFlag).
#pragma once

#include <windows.h>

// The handled flag that cracked handlers set and clear.
class MessageHandledFlag {
public:
    void SetMsgHandled(BOOL handled) { m_bMsgHandled = handled; }
    BOOL IsMsgHandled() const { return m_bMsgHandled; }

protected:
    BOOL m_bMsgHandled = FALSE;
};

#define BEGIN_MSG_MAP(theClass)                                                                    \
public:                                                                                            \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,                  \
                              LRESULT& lResult) {                                                  \
        (void)hWnd;                                                                                \
        (void)wParam;                                                                              \
        (void)lParam;                                                                              \
        BOOL bHandled = TRUE;                                                                      \
        (void)bHandled;

#define END_MSG_MAP()                                                                              \
    return FALSE;                                                                                  \
    }

#define MESSAGE_HANDLER(msg, func)                                                                 \
    if (uMsg == (msg)) {                                                                           \
        bHandled = TRUE;                                                                           \
        lResult = func(uMsg, wParam, lParam, bHandled);                                            \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

#define MESSAGE_RANGE_HANDLER(first, last, func)                                                   \
    if (uMsg >= (first) && uMsg <= (last)) {                                                       \
        bHandled = TRUE;                                                                           \
        lResult = func(uMsg, wParam, lParam, bHandled);                                            \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

// WM_NOTIFY with this notification code, from any control.
#define NOTIFY_CODE_HANDLER(notifyCode, func)                                                      \
    if (uMsg == WM_NOTIFY &&                                                                       \
        reinterpret_cast<LPNMHDR>(lParam)->code == static_cast<UINT>(notifyCode)) {                \
        bHandled = TRUE;                                                                           \
        lResult = func(static_cast<int>(wParam), reinterpret_cast<LPNMHDR>(lParam), bHandled);     \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

// WM_NOTIFY from the control with this id, any code.
#define NOTIFY_ID_HANDLER(id, func)                                                                \
    if (uMsg == WM_NOTIFY && static_cast<UINT_PTR>(wParam) == (id)) {                              \
        bHandled = TRUE;                                                                           \
        lResult = func(static_cast<int>(wParam), reinterpret_cast<LPNMHDR>(lParam), bHandled);     \
        if (bHandled)                                                                              \
            return TRUE;                                                                           \
    }

#define CHAIN_MSG_MAP(theChainClass)                                                               \
    if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult))                  \
        return TRUE;

#define CHAIN_MSG_MAP_MEMBER(theChainMember)                                                       \
    if ((theChainMember).ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult))                \
        return TRUE;

// Cracked handlers: the message's arguments unpacked.
#define BK_CRACKED_HANDLER(msg, call, result)                                                      \
    if (uMsg == (msg)) {                                                                           \
        SetMsgHandled(TRUE);                                                                       \
        call;                                                                                      \
        lResult = (result);                                                                        \
        if (IsMsgHandled())                                                                        \
            return TRUE;                                                                           \
    }

#define BK_POINT_OF(lParam)                                                                        \
    POINT {                                                                                        \
        static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))                     \
    }

#define MSG_WM_CREATE(func)                                                                        \
    BK_CRACKED_HANDLER(WM_CREATE,                                                                  \
                       LRESULT created = func(reinterpret_cast<LPCREATESTRUCTW>(lParam)), created)
#define MSG_WM_DESTROY(func) BK_CRACKED_HANDLER(WM_DESTROY, func(), 0)
#define MSG_WM_PAINT(func) BK_CRACKED_HANDLER(WM_PAINT, func(reinterpret_cast<HDC>(wParam)), 0)
#define MSG_WM_PRINT(func)                                                                         \
    BK_CRACKED_HANDLER(WM_PRINT, func(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam)), 0)
#define MSG_WM_ERASEBKGND(func)                                                                    \
    BK_CRACKED_HANDLER(WM_ERASEBKGND, LRESULT erased = func(reinterpret_cast<HDC>(wParam)), erased)
#define MSG_WM_SHOWWINDOW(func)                                                                    \
    BK_CRACKED_HANDLER(WM_SHOWWINDOW, func(static_cast<BOOL>(wParam), static_cast<int>(lParam)), 0)
#define MSG_WM_WINDOWPOSCHANGED(func)                                                              \
    BK_CRACKED_HANDLER(WM_WINDOWPOSCHANGED, func(reinterpret_cast<LPWINDOWPOS>(lParam)), 0)
#define MSG_WM_NCCALCSIZE(func)                                                                    \
    BK_CRACKED_HANDLER(WM_NCCALCSIZE,                                                              \
                       LRESULT calculated = func(static_cast<BOOL>(wParam), lParam), calculated)
#define MSG_WM_SIZE(func)                                                                          \
    BK_CRACKED_HANDLER(WM_SIZE,                                                                    \
                       func(static_cast<UINT>(wParam), SIZE{static_cast<short>(LOWORD(lParam)),    \
                                                            static_cast<short>(HIWORD(lParam))}),  \
                       0)
#define MSG_WM_MOUSEMOVE(func)                                                                     \
    BK_CRACKED_HANDLER(WM_MOUSEMOVE, func(static_cast<UINT>(wParam), BK_POINT_OF(lParam)), 0)
#define MSG_WM_MOUSELEAVE(func) BK_CRACKED_HANDLER(WM_MOUSELEAVE, func(), 0)
#define MSG_WM_LBUTTONDOWN(func)                                                                   \
    BK_CRACKED_HANDLER(WM_LBUTTONDOWN, func(static_cast<UINT>(wParam), BK_POINT_OF(lParam)), 0)
#define MSG_WM_LBUTTONUP(func)                                                                     \
    BK_CRACKED_HANDLER(WM_LBUTTONUP, func(static_cast<UINT>(wParam), BK_POINT_OF(lParam)), 0)
#define MSG_WM_LBUTTONDBLCLK(func)                                                                 \
    BK_CRACKED_HANDLER(WM_LBUTTONDBLCLK, func(static_cast<UINT>(wParam), BK_POINT_OF(lParam)), 0)
#define MSG_WM_RBUTTONDOWN(func)                                                                   \
    BK_CRACKED_HANDLER(WM_RBUTTONDOWN, func(static_cast<UINT>(wParam), BK_POINT_OF(lParam)), 0)
#define MSG_WM_TIMER(func) BK_CRACKED_HANDLER(WM_TIMER, func(static_cast<UINT_PTR>(wParam)), 0)
