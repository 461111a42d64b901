// "realwnd": stands for a real child window of the view, the one whose control id is the
// element's id, and keeps it on the element's rectangle.
#pragma once

#include "toolkit/elements/BkWindow.h"

class CBkRealWnd : public CBkWindow {
    BK_TAG_NAME("realwnd")
public:
    bool RedrawOnStateChange() override { return false; }
    // The child window of the view with the element's id; null when there is none.
    HWND GetRealWindow() const;
    void ShowRealWindow() override;

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    MSG_WM_DESTROY(OnDestroy)
    MSG_WM_WINDOWPOSCHANGED(OnWindowPosChanged)
    BK_CHAIN_MSG_MAP(CBkWindow)
    BK_END_MSG_MAP()

protected:
    // The window paints itself.
    void OnPaint(HDC) {}
    void OnDestroy();
    // Moves the window with the element, when the element's rectangle changed, and tells the
    // view.
    void OnWindowPosChanged(LPWINDOWPOS position);
};
