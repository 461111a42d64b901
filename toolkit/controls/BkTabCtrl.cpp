#include "toolkit/controls/BkTabCtrl.h"
#include "toolkit/styles/DisplayScale.h"

#include "toolkit/styles/BkFontPool.h"
#include "toolkit/elements/BkNotify.h"
#include "toolkit/resources/Utf8.h"

#include <tinyxml.h>

#include <algorithm>

HRESULT CBkTab::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    const HRESULT result = CBkDialog::SetAttribute(name, value, loading);
    if (SUCCEEDED(result))
        return result;
    if (name == "title")
        m_title = Utf8ToWide(value.c_str());
    else if (name == "hide")
        m_hide = ParseDecimal(value.c_str());
    else
        return E_FAIL;
    return S_FALSE;
}

CBkTabCtrl::~CBkTabCtrl() {
    OnDestroy();
}

bool CBkTabCtrl::Load(const TiXmlElement* element) {
    if (!CBkContainerWnd::Load(element))
        return false;
    SendElementMessage(this, WM_DESTROY);
    for (const TiXmlElement* xml = element->FirstChildElement(CBkTab::kTagName); xml != nullptr;
         xml = xml->NextSiblingElement(CBkTab::kTagName)) {
        auto* page = new CBkTab;
        page->SetParentHandle(m_handle);
        page->SetContainerWindow(m_containerWindow);
        page->Load(xml);
        // Every page covers the whole frame, whatever its document says.
        page->SetAttribute("pos", "0,0,-0,-0", true);
        m_pages.push_back(page);
    }
    const int count = static_cast<int>(m_pages.size());
    if (m_curSel < 0 || m_curSel >= count)
        m_curSel = 0;
    for (int index = 0; index < count; ++index) {
        if (index == m_curSel)
            m_pages[index]->ModifyState(0, kStateHidden);
        else
            m_pages[index]->ModifyState(kStateHidden, 0);
    }
    return true;
}

HRESULT CBkTabCtrl::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    const HRESULT result = CBkContainerWnd::SetAttribute(name, value, loading);
    if (SUCCEEDED(result))
        return result;
    const char* text = value.c_str();
    static const struct {
        const char* name;
        std::string CBkTabCtrl::*field;
    } kSkins[] = {{"tabskin", &CBkTabCtrl::m_tabSkin},
                  {"frameskin", &CBkTabCtrl::m_frameSkin},
                  {"iconskin", &CBkTabCtrl::m_iconSkin},
                  {"splitterskin", &CBkTabCtrl::m_splitterSkin}};
    for (const auto& skin : kSkins) {
        if (name == skin.name) {
            this->*skin.field = value;
            return S_OK;
        }
    }
    static const struct {
        const char* name;
        int CBkTabCtrl::*field;
    } kNumbers[] = {
        {"tabwidth", &CBkTabCtrl::m_tabWidth}, {"tabheight", &CBkTabCtrl::m_tabHeight},
        {"tabpos", &CBkTabCtrl::m_tabPos},     {"tabspacing", &CBkTabCtrl::m_tabSpacing},
        {"framepos", &CBkTabCtrl::m_framePos}, {"vertfont", &CBkTabCtrl::m_vertFont},
        {"icon-x", &CBkTabCtrl::m_iconX},      {"icon-y", &CBkTabCtrl::m_iconY},
        {"text-x", &CBkTabCtrl::m_textX},      {"text-y", &CBkTabCtrl::m_textY}};
    for (const auto& number : kNumbers) {
        if (name == number.name) {
            this->*number.field = ParseDecimal(text);
            return S_FALSE;
        }
    }
    if (name == "cursel") {
        // At run time the owner switches pages without being asked.
        if (loading)
            m_curSel = ParseDecimal(text);
        else
            SelectPage(ParseDecimal(text));
    } else if (name == "tabalign" && (value == "top" || value == "left")) {
        m_vertical = value == "left";
    } else if (name == "tabtext") {
        m_crTabText = ParseColor(text);
    } else if (name == "Selfont") {
        m_selectedFont = BkFontPool::Instance().GetFont(static_cast<WORD>(ParseHex(text)));
    } else {
        return E_FAIL;
    }
    return S_FALSE;
}

void CBkTabCtrl::SetContainerWindow(HWND container) {
    CBkContainerWnd::SetContainerWindow(container);
    for (CBkWindow* page : m_pages)
        page->SetContainerWindow(container);
}

UINT CBkTabCtrl::HitTest(int x, int y) {
    const POINT point{x, y};
    if (!::PtInRect(&m_rect, point))
        return 0;
    for (CBkWindow* page : m_pages) {
        if ((page->GetState() & kStateHidden) || page->IsTransparent())
            continue;
        if (const UINT hit = page->HitTest(x, y))
            return hit;
    }
    return m_handle;
}

bool CBkTabCtrl::Redraw(HDC dc, HRGN region) {
    if (!CBkContainerWnd::Redraw(dc, region))
        return false;
    // The pages inherit the control's font and colours.
    BkPaintState saved;
    BeforePaint(dc, saved);
    for (CBkWindow* page : m_pages) {
        if ((page->GetState() & kStateHidden) == 0)
            page->Redraw(dc, region);
    }
    AfterPaint(dc, saved);
    return true;
}

CBkWindow* CBkTabCtrl::FindChildById(UINT id) {
    for (CBkWindow* page : m_pages) {
        if (page->GetCmdID() == id)
            return page;
    }
    for (CBkWindow* page : m_pages) {
        if (CBkWindow* found = static_cast<CBkTab*>(page)->FindChildById(id))
            return found;
    }
    return nullptr;
}

void CBkTabCtrl::LayoutChildren() {
    for (CBkWindow* page : m_pages)
        LayoutChild(page);
}

void CBkTabCtrl::LayoutChild(CBkWindow* child) {
    const RECT frame = GetFrameRect();
    WINDOWPOS position{};
    position.x = frame.left;
    position.y = frame.top;
    position.cx = frame.right - frame.left;
    position.cy = frame.bottom - frame.top;
    SendElementMessage(child, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
}

bool CBkTabCtrl::SelectPage(int index) {
    const int count = static_cast<int>(m_pages.size());
    if (index < 0 || index >= count || index == m_curSel)
        return false;
    const int old = m_curSel;
    if (old >= 0 && old < count)
        SendElementMessage(m_pages[old], WM_SHOWWINDOW, FALSE);
    m_curSel = index;
    SendElementMessage(m_pages[index], WM_SHOWWINDOW, TRUE);
    LayoutChild(m_pages[index]);
    for (const RECT& changed : {GetTabRect(old), GetTabRect(index), GetFrameRect()}) {
        if (!::IsRectEmpty(&changed))
            NotifyInvalidate(changed);
    }
    return true;
}

RECT CBkTabCtrl::GetTabRect(int index) const {
    if (index < 0 || index >= static_cast<int>(m_pages.size()) ||
        static_cast<const CBkTab*>(m_pages[index])->IsTabHidden())
        return RECT{};
    // Hidden tabs take no place in the row.
    const auto slot = std::count_if(m_pages.begin(), m_pages.begin() + index, [](CBkWindow* page) {
        return !static_cast<const CBkTab*>(page)->IsTabHidden();
    });
    // In 96-DPI pixels up to here, so that the row's edges scale as one.
    const LONG width = Scaled(m_tabWidth), height = Scaled(m_tabHeight);
    if (m_vertical) {
        const LONG top =
            m_rect.top + Scaled(m_tabPos + static_cast<int>(slot) * (m_tabHeight + m_tabSpacing));
        return RECT{m_rect.left, top, m_rect.left + width, top + height};
    }
    const LONG left =
        m_rect.left + Scaled(m_tabPos + static_cast<int>(slot) * (m_tabWidth + m_tabSpacing));
    return RECT{left, m_rect.top, left + width, m_rect.top + height};
}

RECT CBkTabCtrl::GetFrameRect() const {
    RECT frame = m_rect;
    if (m_vertical)
        frame.left =
            std::min(frame.right, m_rect.left + Scaled(m_framePos >= 0 ? m_framePos : m_tabWidth));
    else
        frame.top =
            std::min(frame.bottom, m_rect.top + Scaled(m_framePos >= 0 ? m_framePos : m_tabHeight));
    return frame;
}

void CBkTabCtrl::OnDestroy() {
    std::vector<CBkWindow*> pages;
    pages.swap(m_pages);
    for (CBkWindow* page : pages) {
        SendElementMessage(page, WM_DESTROY);
        delete page;
    }
    m_hoverTab = -1;
}

void CBkTabCtrl::OnShowWindow(BOOL show, int status) {
    CBkContainerWnd::OnShowWindow(show, status);
    ShowRealWindowsBelow(this);
}

void CBkTabCtrl::OnWindowPosChanged(LPWINDOWPOS position) {
    CBkContainerWnd::OnWindowPosChanged(position);
    LayoutChildren();
}

void CBkTabCtrl::OnMouseMove(UINT flags, POINT point) {
    SetHoverTab(TabAt(point));
    for (CBkWindow* page : m_pages) {
        const RECT& rect = page->GetRect();
        if ((page->GetState() & kStateHidden) == 0 && ::PtInRect(&rect, point))
            SendElementMessage(page, WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
    }
}

void CBkTabCtrl::OnMouseLeave() {
    SetHoverTab(-1);
}

void CBkTabCtrl::OnLButtonDown(UINT, POINT point) {
    const int index = TabAt(point);
    if (index < 0 || index == m_curSel || AskToSelect(index))
        return;
    SelectPage(index);
}

int CBkTabCtrl::TabAt(POINT point) const {
    for (int index = 0; index < static_cast<int>(m_pages.size()); ++index) {
        const RECT tab = GetTabRect(index);
        if (::PtInRect(&tab, point))
            return index;
    }
    return -1;
}

void CBkTabCtrl::SetHoverTab(int index) {
    if (index == m_hoverTab)
        return;
    const int old = m_hoverTab;
    m_hoverTab = index;
    for (const RECT& changed : {GetTabRect(old), GetTabRect(index)}) {
        if (!::IsRectEmpty(&changed))
            NotifyInvalidate(changed);
    }
}

bool CBkTabCtrl::AskToSelect(int index) const {
    if (m_containerWindow == nullptr)
        return false;
    BkNmTabSelect notice{};
    notice.header.hdr.hwndFrom = m_containerWindow;
    notice.header.hdr.idFrom = kBkViewControlId;
    notice.header.hdr.code = kBkNmTabSelect;
    notice.header.uItemID = m_id;
    notice.nTabItemIDNew = index;
    notice.nTabItemIDOld = m_curSel;
    ::SendMessageW(m_containerWindow, WM_NOTIFY, kBkViewControlId,
                   reinterpret_cast<LPARAM>(&notice));
    return notice.bCancel != FALSE;
}
