// "tabctrl": a row (or column) of tabs over a frame that shows one page at a time, and "tab",
// its pages, which it builds itself from its "tab" children.
#pragma once

#include "toolkit/elements/BkPanel.h"

class CBkTab : public CBkDialog {
    BK_TAG_NAME("tab")
public:
    // Also "title" (the tab's text) and "hide" (nonzero: no tab in the row for this page).
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;

    const std::wstring& GetTitle() const { return m_title; }
    bool IsTabHidden() const { return m_hide != 0; }

private:
    std::wstring m_title;
    int m_hide = 0;
};

// Tabs are "tabwidth" by "tabheight" pixels, "tabspacing" apart, starting "tabpos" pixels from
// the control's left edge (top edge with "tabalign" "left"); the frame starts "framepos"
// pixels below the control's top (right of its left edge), by default right after the tabs.
// A tab shows the "tabskin" sub-image 0 normal, 1 hovered, 2 selected (else plain fills), the
// "iconskin" sub-image of its page index at "icon-x", "icon-y", and its title at "text-x",
// "text-y" (-1: centred) in "tabtext" (else the element's text colour), in "Selfont" when
// selected and one character under the other with "vertfont". "splitterskin" is drawn in the
// gaps between tabs and "frameskin" over the frame (else a grey outline).
class CBkTabCtrl : public CBkContainerWnd {
    BK_TAG_NAME("tabctrl")
public:
    ~CBkTabCtrl() override;

    // The control's attributes, then a page for each "tab" child; only the selected page shows.
    bool Load(const TiXmlElement* element) override;
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    void SetContainerWindow(HWND container) override;
    // Inside the frame the selected page answers; everywhere else the control itself.
    UINT HitTest(int x, int y) override;
    // The background, the tabs and the frame, then the selected page.
    bool Redraw(HDC dc, HRGN region) override;
    // The pages first, then each page's subtree.
    CBkWindow* FindChildById(UINT id) override;
    void LayoutChildren() override;
    // Places a page over the whole frame.
    void LayoutChild(CBkWindow* child) override;
    const std::vector<CBkWindow*>& Children() const override { return m_pages; }

    int GetCurSel() const { return m_curSel; }
    // Hides the selected page, shows and places that one, and repaints both tabs and the
    // frame; false for an index out of range or already selected. Nobody is asked.
    bool SelectPage(int index);
    // The tab of that page; empty for a hidden tab or an index out of range.
    RECT GetTabRect(int index) const;
    RECT GetFrameRect() const;

    BK_BEGIN_MSG_MAP()
    MSG_WM_DESTROY(OnDestroy)
    MSG_WM_PAINT(OnPaint)
    MSG_WM_SHOWWINDOW(OnShowWindow)
    MSG_WM_WINDOWPOSCHANGED(OnWindowPosChanged)
    MSG_WM_MOUSEMOVE(OnMouseMove)
    MSG_WM_MOUSELEAVE(OnMouseLeave)
    MSG_WM_LBUTTONDOWN(OnLButtonDown)
    BK_CHAIN_MSG_MAP(CBkContainerWnd)
    BK_END_MSG_MAP()

protected:
    // Destroys every page.
    void OnDestroy();
    void OnPaint(HDC dc);
    void OnShowWindow(BOOL show, int status);
    // Places itself, then its pages.
    void OnWindowPosChanged(LPWINDOWPOS position);
    // Tracks the hovered tab; passes the move on to the selected page under the pointer.
    void OnMouseMove(UINT flags, POINT point);
    void OnMouseLeave();
    // Pressing a tab other than the selected one asks the view (code 5) and, unless refused,
    // selects its page.
    void OnLButtonDown(UINT flags, POINT point);

private:
    // The page whose tab holds the point; -1 for none.
    int TabAt(POINT point) const;
    void SetHoverTab(int index);
    // True when the owner refused the change.
    bool AskToSelect(int index) const;
    void DrawTab(HDC dc, int index);

    std::vector<CBkWindow*> m_pages;
    int m_curSel = 0;
    int m_hoverTab = -1;
    int m_tabWidth = 80;
    int m_tabHeight = 24;
    int m_tabPos = 0;
    int m_tabSpacing = 0;
    int m_framePos = -1;
    bool m_vertical = false;
    int m_vertFont = 0;
    int m_iconX = 0;
    int m_iconY = 0;
    int m_textX = -1;
    int m_textY = -1;
    COLORREF m_crTabText = kNoColor;
    HFONT m_selectedFont = nullptr;
    std::string m_tabSkin;
    std::string m_frameSkin;
    std::string m_iconSkin;
    std::string m_splitterSkin;
};
