// Elements that hold children: the container base, the panel with its ordered children, and
// the "dlg" container that places its children by their positions.
#pragma once

#include "toolkit/elements/BkWindow.h"

#include <functional>
#include <vector>

class CBkContainerWnd : public CBkWindow {
public:
    bool IsContainer() const override { return true; }
    // The first element with that id below this one (0 finds elements without an id).
    virtual CBkWindow* FindChildById(UINT) { return nullptr; }
    virtual void LayoutChildren() {}
    // Places one child again inside this container.
    virtual void LayoutChild(CBkWindow*) {}
    // The children in list order.
    virtual const std::vector<CBkWindow*>& Children() const;
};

class CBkPanel : public CBkContainerWnd {
    BK_TAG_NAME("div")
public:
    ~CBkPanel() override;

    // The panel's own attributes, then its children, built by their tags.
    bool Load(const TiXmlElement* element) override;
    // Also "onlydrawchild": the panel answers hit tests for everything inside it.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    void SetContainerWindow(HWND container) override;
    // Floating children first, then the others; hidden and transparent ones are skipped.
    UINT HitTest(int x, int y) override;
    // The background, then the visible children over it in list order, with the panel's
    // font and colours selected for them to inherit.
    bool Redraw(HDC dc, HRGN region) override;
    // Direct children first, then each container child's subtree in list order.
    CBkWindow* FindChildById(UINT id) override;

    const std::vector<CBkWindow*>& Children() const override { return m_children; }
    // Takes ownership; the child learns its parent and container window.
    void AppendChild(CBkWindow* child);

    BK_BEGIN_MSG_MAP()
    MSG_WM_DESTROY(OnDestroy)
    MSG_WM_PAINT(OnPaint)
    MSG_WM_SHOWWINDOW(OnShowWindow)
    MSG_WM_MOUSEMOVE(OnMouseMove)
    BK_CHAIN_MSG_MAP(CBkContainerWnd)
    BK_END_MSG_MAP()

protected:
    // Destroys every child.
    void OnDestroy();
    // A container draws no text of its own.
    void OnPaint(HDC) {}
    void OnShowWindow(BOOL show, int status);
    // Passes the move on to every visible child under the pointer.
    void OnMouseMove(UINT flags, POINT point);

    std::vector<CBkWindow*> m_children;
    int m_onlyDrawChild = 0;
};

class CBkDialog : public CBkPanel {
    BK_TAG_NAME("dlg")
public:
    void LayoutChildren() override;
    // The child's position items measured in the content box (the rect less the style's
    // margins); it gets that box's size as its space.
    void LayoutChild(CBkWindow* child) override;

    BK_BEGIN_MSG_MAP()
    MSG_WM_WINDOWPOSCHANGED(OnWindowPosChanged)
    BK_CHAIN_MSG_MAP(CBkPanel)
    BK_END_MSG_MAP()

protected:
    // Places itself, then its children.
    void OnWindowPosChanged(LPWINDOWPOS position);
};

// Shows or hides the real windows of the element and of every element below it.
void ShowRealWindowsBelow(CBkWindow* element);

// Visits the element and, unless the visitor answers false for it, the elements below it, in
// document order.
void VisitInDocumentOrder(CBkWindow& element, const std::function<bool(CBkWindow&)>& visit);

// A "dlg" that is one click target as a whole.
class CBkDialogButton : public CBkDialog {
    BK_TAG_NAME("dlgbtn")
public:
    bool Load(const TiXmlElement* element) override;
    bool TabStopByDefault() const override { return true; }
    LONG AccessibleRole() const override;
    // Its tip, else the texts inside it.
    std::wstring AccessibleName() const override;
};
