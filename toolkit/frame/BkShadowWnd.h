// The translucent drop shadow around a skinned frame: a layered window 4 pixels larger on each
// side, drawn from the "dlg_shadow" skin and kept in step with the frame.
#pragma once

#include <windows.h>

class CBkSkinBase;

// Draws the shadow skin into a width x height bitmap: its corners (k by k, k = (size - 2) / 2)
// copied, the one-pixel strips beside them stretched along the sides, the middle left clear.
void DrawShadowPieces(HDC dc, CBkSkinBase& skin, int width, int height);

class CShadowWnd {
public:
    CShadowWnd() = default;
    CShadowWnd(const CShadowWnd&) = delete;
    CShadowWnd& operator=(const CShadowWnd&) = delete;
    ~CShadowWnd();

    // Creates the shadow window (once), owned by the frame and hidden.
    bool Create(HWND owner);
    // The frame's own messages that concern the shadow: WM_SIZE, WM_MOVE, WM_PAINT,
    // WM_SHOWWINDOW, WM_EXITSIZEMOVE, WM_MOVING, WM_DESTROY.
    void OnOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // After each paint of the frame's view: a hidden shadow shows once the frame is visible
    // and not minimised.
    void CheckShow();
    // Draws a shown shadow again, after the look of the system changed.
    void Refresh();

    HWND GetWindow() const { return m_window; }
    bool IsShown() const { return m_shown; }
    // How often the shadow bitmap has been built: moves only reposition it.
    int GetRedrawCount() const { return m_redraws; }

private:
    // Draws the shadow bitmap for the frame's current rectangle and pushes it to the window.
    void Redraw();
    void Show();
    void Hide();
    // The frame's window rectangle; false when it is empty.
    bool OwnerRect(RECT& rect) const;

    HWND m_owner = nullptr;
    HWND m_window = nullptr;
    bool m_created = false;
    bool m_shown = false;
    bool m_ownerVisible = false;
    bool m_showWithOwner = false;
    bool m_redrawAtNextPaint = false;
    LPARAM m_lastSize = 0;
    int m_redraws = 0;
};
