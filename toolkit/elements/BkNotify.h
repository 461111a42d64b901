// The notification records that the host view sends with WM_NOTIFY (wParam: the sender's
// control id), and those that elements send to their view.
#pragma once

#include <windows.h>

// The view's own control id, so every record the owner sees comes from 1000.
constexpr UINT kBkViewControlId = 1000;

enum BkNotifyCode : UINT {
    kBkNmClick = 1,         // BkNmCommand
    kBkNmRealWndMoved = 2,  // BkNmRealWndMoved
    kBkNmMouseMove = 3,     // BkNmHeader
    kBkNmMouseLeave = 4,    // BkNmHeader
    kBkNmTabSelect = 5,     // BkNmTabSelect
    kBkNmElementNotify = 6, // BkNmElementNotify
    kBkNmLButtonDown = 7,   // BkNmHeader
    kBkNmDoubleClick = 8,   // BkNmCommand
    kBkNmRButtonDown = 9,   // BkNmHeader
    kBkNmInvalidate = 1000, // BkNmInvalidate, element to view only
};

struct BkNmHeader {
    NMHDR hdr;
    UINT uItemID; // the element's id
};

struct BkNmCommand {
    BkNmHeader header;
    LPCSTR szItemClass; // the element's tag name
};

struct BkNmRealWndMoved {
    BkNmHeader header;
    RECT rcWnd;
};

struct BkNmTabSelect {
    BkNmHeader header;
    int nTabItemIDNew;
    int nTabItemIDOld;
    // A receiver that sets it keeps the old selection.
    BOOL bCancel;
};

struct BkNmElementNotify {
    BkNmHeader header;
    LPCSTR szItemClass; // "wnd"
    UINT uSubCode;      // WM_MOUSEMOVE's 3 or WM_MOUSELEAVE's 4
};

// An element asks its view to repaint a rectangle: hwndFrom is null, idFrom the element id.
struct BkNmInvalidate {
    BkNmHeader header;
    UINT hBkWnd; // the element's handle
    RECT rect;
};
