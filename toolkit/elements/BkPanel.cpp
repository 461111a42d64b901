#include "toolkit/elements/BkPanel.h"

#include "toolkit/styles/BkStyle.h"
#include "toolkit/styles/DisplayScale.h"
#include "toolkit/elements/ElementFactory.h"

#include <oleacc.h>
#include <tinyxml.h>

const std::vector<CBkWindow*>& CBkContainerWnd::Children() const {
    static const std::vector<CBkWindow*> none;
    return none;
}

CBkPanel::~CBkPanel() {
    OnDestroy();
}

bool CBkPanel::Load(const TiXmlElement* element) {
    if (!CBkContainerWnd::Load(element))
        return false;
    SendElementMessage(this, WM_DESTROY);
    for (const TiXmlElement* xml = element->FirstChildElement(); xml != nullptr;
         xml = xml->NextSiblingElement()) {
        CBkWindow* child = CreateElement(xml->Value());
        if (child == nullptr)
            continue;
        child->SetParentHandle(m_handle);
        child->SetContainerWindow(m_containerWindow);
        child->Load(xml);
        m_children.push_back(child);
    }
    return true;
}

void CBkPanel::AppendChild(CBkWindow* child) {
    child->SetParentHandle(m_handle);
    child->SetContainerWindow(m_containerWindow);
    m_children.push_back(child);
}

HRESULT CBkPanel::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    const HRESULT result = CBkContainerWnd::SetAttribute(name, value, loading);
    if (SUCCEEDED(result) || name != "onlydrawchild")
        return result;
    m_onlyDrawChild = ParseDecimal(value.c_str());
    return S_FALSE;
}

void CBkPanel::SetContainerWindow(HWND container) {
    CBkContainerWnd::SetContainerWindow(container);
    for (CBkWindow* child : m_children)
        child->SetContainerWindow(container);
}

UINT CBkPanel::HitTest(int x, int y) {
    const POINT point{x, y};
    if (!::PtInRect(&m_rect, point))
        return 0;
    if (m_onlyDrawChild)
        return m_handle;
    for (const bool floating : {true, false}) {
        for (CBkWindow* child : m_children) {
            if ((child->GetState() & kStateHidden) || child->IsTransparent() ||
                child->IsFloating() != floating)
                continue;
            if (const UINT hit = child->HitTest(x, y))
                return hit;
        }
    }
    return m_handle;
}

bool CBkPanel::Redraw(HDC dc, HRGN region) {
    if (!CBkContainerWnd::Redraw(dc, region))
        return false;
    BkPaintState saved;
    BeforePaint(dc, saved);
    for (CBkWindow* child : m_children) {
        if ((child->GetState() & kStateHidden) == 0)
            child->Redraw(dc, region);
    }
    AfterPaint(dc, saved);
    return true;
}

CBkWindow* CBkPanel::FindChildById(UINT id) {
    for (CBkWindow* child : m_children) {
        if (child->GetCmdID() == id)
            return child;
    }
    for (CBkWindow* child : m_children) {
        if (!child->IsContainer())
            continue;
        if (CBkWindow* found = static_cast<CBkContainerWnd*>(child)->FindChildById(id))
            return found;
    }
    return nullptr;
}

void CBkPanel::OnDestroy() {
    std::vector<CBkWindow*> children;
    children.swap(m_children);
    for (CBkWindow* child : children) {
        SendElementMessage(child, WM_DESTROY);
        delete child;
    }
}

void CBkPanel::OnShowWindow(BOOL show, int status) {
    CBkContainerWnd::OnShowWindow(show, status);
    ShowRealWindowsBelow(this);
}

void CBkPanel::OnMouseMove(UINT flags, POINT point) {
    for (CBkWindow* child : m_children) {
        const RECT& rect = child->GetRect();
        if ((child->GetState() & kStateHidden) == 0 && ::PtInRect(&rect, point))
            SendElementMessage(child, WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
    }
}

void ShowRealWindowsBelow(CBkWindow* element) {
    VisitInDocumentOrder(*element, [](CBkWindow& below) {
        below.ShowRealWindow();
        return true;
    });
}

void VisitInDocumentOrder(CBkWindow& element, const std::function<bool(CBkWindow&)>& visit) {
    if (!visit(element) || !element.IsContainer())
        return;
    for (CBkWindow* child : static_cast<CBkContainerWnd&>(element).Children())
        VisitInDocumentOrder(*child, visit);
}

void CBkDialog::LayoutChildren() {
    for (CBkWindow* child : m_children)
        LayoutChild(child);
}

void CBkDialog::LayoutChild(CBkWindow* child) {
    const BkStyle& style = GetStyle();
    RECT content = m_rect;
    ::InflateRect(&content, -Scaled(style.m_nMarginX), -Scaled(style.m_nMarginY));
    const LONG width = content.right - content.left;
    const LONG height = content.bottom - content.top;
    const PositionItem* items = child->GetPositionItems();
    WINDOWPOS position{};
    position.x = content.left + ResolvePositionItem(items[0], width, CurrentDpi());
    position.y = content.top + ResolvePositionItem(items[1], height, CurrentDpi());
    position.cx = width;
    position.cy = height;
    SendElementMessage(child, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
}

void CBkDialog::OnWindowPosChanged(LPWINDOWPOS position) {
    CBkPanel::OnWindowPosChanged(position);
    LayoutChildren();
}

LONG CBkDialogButton::AccessibleRole() const {
    return ROLE_SYSTEM_PUSHBUTTON;
}

std::wstring CBkDialogButton::AccessibleName() const {
    if (!GetToolTipText().empty())
        return GetToolTipText();
    std::wstring name;
    for (const CBkWindow* child : m_children) {
        const std::wstring text = child->AccessibleName();
        if (!text.empty())
            name += (name.empty() ? L"" : L" ") + text;
    }
    return name;
}

bool CBkDialogButton::Load(const TiXmlElement* element) {
    const bool loaded = CBkDialog::Load(element);
    m_onlyDrawChild = 1;
    return loaded;
}
