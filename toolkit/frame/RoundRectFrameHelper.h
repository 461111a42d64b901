// Clips a skinned frame to a rounded rectangle, made again whenever the frame's size changes.
#pragma once

#include "platform/MessageMap.h"
#include "toolkit/styles/DisplayScale.h"

#include <windows.h>

// Chained into the frame's message map after the dialog's own handlers; it never marks a
// message handled, so everything goes on to the frame's other handlers.
template <typename T> class CWHRoundRectFrameHelper {
public:
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                              LRESULT& lResult) {
        (void)lResult;
        if (uMsg == WM_SIZE)
            OnSize(hWnd, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        else if (uMsg == WM_DESTROY)
            m_width = m_height = 0;
        return FALSE;
    }

    int m_width = 0;
    int m_height = 0;

private:
    void OnSize(HWND window, UINT type, int width, int height) {
        if (type == SIZE_MINIMIZED || width == 0 || height == 0 ||
            (width == m_width && height == m_height))
            return;
        // The client area in window coordinates.
        RECT client;
        ::GetClientRect(window, &client);
        ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        RECT frame;
        ::GetWindowRect(window, &frame);
        ::OffsetRect(&client, -frame.left, -frame.top);
        // The corner at the frame's display scale, as the frame handles its messages at it.
        const int corner = Scaled(7);
        HRGN region = ::CreateRoundRectRgn(client.left, client.top, client.right + 1,
                                           client.bottom + 1, corner, corner);
        // The window owns the region from here on.
        if (::SetWindowRgn(window, region, FALSE) == 0)
            ::DeleteObject(region);
        m_width = width;
        m_height = height;
    }
};
