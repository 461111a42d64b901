#include "toolkit/frame/BkDialogView.h"

#include "toolkit/resources/BkResource.h"
#include "toolkit/resources/Utf8.h"

#include <objidl.h>
#include <commctrl.h>
#include <oleacc.h>
#include <gdiplus.h>
#include <tinyxml.h>

#include <string>

namespace {

// WS_POPUP, WS_SYSMENU, WS_MAXIMIZEBOX; WS_EX_CONTROLPARENT.
constexpr DWORD kDocumentStyle = 0x80090000;
constexpr DWORD kDocumentExStyle = 0x10000;

int IntegerAttribute(const TiXmlElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value != nullptr ? ParseDecimal(value) : 0;
}

// Loads a section from the first element of that name; false when there is none.
bool LoadSection(CBkDialog& section, const TiXmlElement& root, const char* name) {
    const TiXmlElement* element = root.FirstChildElement(name);
    return element != nullptr && section.Load(element);
}

} // namespace

CBkDialogView::CBkDialogView() = default;

CBkDialogView::~CBkDialogView() {
    ReleaseAccessible();
}

bool CBkDialogView::LoadLayout(UINT resourceId) {
    std::string text;
    if (!LoadResourceData(static_cast<WORD>(resourceId), L"xml", text))
        return false;
    return LoadLayoutText(text.c_str());
}

void CBkDialogView::SetDpi(int dpi) {
    if (dpi == m_dpi)
        return;
    m_dpi = dpi;
    StackSections();
}

bool CBkDialogView::LoadLayoutText(const char* text) {
    const DpiScope scope(m_dpi);
    m_loaded = false;
    m_style = kDocumentStyle;
    m_exStyle = kDocumentExStyle;
    for (CBkDialog* section : {&m_header, &m_body, &m_footer})
        SendElementMessage(section, WM_DESTROY);
    m_hasHeader = m_hasBody = m_hasFooter = false;
    m_focusElement = m_keyPressed = 0;
    m_accessibleElements.clear();

    TiXmlDocument document;
    document.Parse(text, nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* root = document.RootElement();
    if (document.Error() || root == nullptr || std::strcmp(root->Value(), "layer") != 0) {
        RepaintAll();
        return false;
    }

    const char* frame = root->Attribute("frame");
    m_frameSkin = frame != nullptr ? frame : "";
    m_title = Utf8ToWide(root->Attribute("title"));
    m_width = IntegerAttribute(*root, "width");
    m_height = IntegerAttribute(*root, "height");
    m_minWidth = IntegerAttribute(*root, "min_width");
    m_minHeight = IntegerAttribute(*root, "min_height");
    m_resize = m_holdSize = false;
    m_movable = true;
    if (IntegerAttribute(*root, "appwin") != 0)
        m_exStyle |= WS_EX_APPWINDOW;
    if (IntegerAttribute(*root, "child") != 0) {
        m_style =
            (m_style & ~(WS_POPUP | WS_SYSMENU)) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    } else {
        m_holdSize = IntegerAttribute(*root, "holdsize") != 0;
        m_resize = IntegerAttribute(*root, "resize") != 0;
        m_style |= m_resize ? WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX : WS_MINIMIZEBOX;
        m_exStyle |= IntegerAttribute(*root, "noborder") != 0 ? WS_EX_TOOLWINDOW | WS_EX_TOPMOST
                                                              : WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
        m_movable = IntegerAttribute(*root, "nomove") == 0;
    }

    // The sections fill the window's width; header and footer keep their heights.
    if ((m_hasHeader = LoadSection(m_header, *root, "header"))) {
        const int height = IntegerAttribute(*root->FirstChildElement("header"), "height");
        m_header.SetAttribute("pos", "0,0,-0," + std::to_string(height), true);
    }
    if ((m_hasFooter = LoadSection(m_footer, *root, "footer"))) {
        const int height = IntegerAttribute(*root->FirstChildElement("footer"), "height");
        m_footer.SetAttribute("pos", "0,-" + std::to_string(height) + ",-0,-0", true);
    }
    if ((m_hasBody = LoadSection(m_body, *root, "body")))
        m_body.SetAttribute("pos", "0,0,-0,-0", true);

    m_loaded = true;
    BuildAccessibleElements();
    if (IsWindow()) {
        StackSections();
        m_hoverElement = m_pushedElement = 0;
    }
    return true;
}

int CBkDialogView::Sections(CBkDialog* sections[3]) {
    int count = 0;
    if (m_hasHeader)
        sections[count++] = &m_header;
    if (m_hasBody)
        sections[count++] = &m_body;
    if (m_hasFooter)
        sections[count++] = &m_footer;
    return count;
}

HWND CBkDialogView::CreateView(HWND frame) {
    if (IsWindow())
        DestroyWindow();
    RECT client;
    ::GetClientRect(frame, &client);
    if (Create(frame, client, m_title.empty() ? nullptr : m_title.c_str(), kStyle, kExStyle,
               kBkViewControlId) == nullptr)
        return nullptr;
    for (CBkDialog* section : {&m_header, &m_body, &m_footer})
        section->SetContainerWindow(m_hWnd);
    CreateToolTip();
    // Until the keyboard is used, the frame's windows show no focus cues.
    ::SendMessageW(frame, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    return m_hWnd;
}

void CBkDialogView::StackSections() {
    const DpiScope scope(m_dpi);
    RECT client;
    if (!IsWindow() || !::GetClientRect(m_hWnd, &client) || client.right == client.left)
        return;
    WINDOWPOS position{};
    position.x = client.left;
    position.y = client.top;
    position.cx = client.right - client.left;
    position.cy = client.bottom - client.top;
    const auto place = [&position](CBkDialog& section) {
        SendElementMessage(&section, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    };

    LONG headerBottom = client.top;
    if (m_hasHeader) {
        place(m_header);
        headerBottom = m_header.GetRect().bottom;
    }
    LONG footerHeight = 0;
    if (m_hasFooter) {
        place(m_footer);
        footerHeight = m_footer.GetRect().bottom - m_footer.GetRect().top;
        position.y = client.bottom - footerHeight;
        position.cy = footerHeight;
        place(m_footer);
    }
    if (m_hasBody) {
        position.y = headerBottom;
        position.cy = client.bottom - footerHeight - headerBottom;
        place(m_body);
    }
    RepaintAll();
}

CBkWindow* CBkDialogView::FindElementById(UINT id) {
    CBkDialog* sections[3];
    const int count = Sections(sections);
    for (int i = 0; i < count; ++i) {
        if (CBkWindow* found = sections[i]->FindChildById(id))
            return found;
    }
    return nullptr;
}

BOOL CBkDialogView::SetElementText(UINT id, const std::wstring& text) {
    const DpiScope scope(m_dpi);
    CBkWindow* element = FindElementById(id);
    if (element == nullptr)
        return FALSE;
    InvalidateElement(*element);
    const bool changed = element->GetInnerText() != text;
    element->SetText(text);
    InvalidateElement(*element);
    if (changed)
        NotifyAccessibility(EVENT_OBJECT_NAMECHANGE, *element);
    return TRUE;
}

BOOL CBkDialogView::SetElementAttribute(UINT id, const std::string& name,
                                        const std::string& value) {
    const DpiScope scope(m_dpi);
    CBkWindow* element = FindElementById(id);
    if (element == nullptr)
        return FALSE;
    InvalidateElement(*element);
    element->SetAttribute(name, value, false);
    InvalidateElement(*element);
    return TRUE;
}

BOOL CBkDialogView::EnableElement(UINT id, BOOL enable) {
    CBkWindow* element = FindElementById(id);
    if (element == nullptr)
        return FALSE;
    const DWORD old = enable ? element->ModifyState(0, kStateDisabled)
                             : element->ModifyState(kStateDisabled, kStateHover);
    InvalidateElement(*element);
    // A disabled element cannot keep the keyboard focus.
    if (!enable && element->GetHandle() == m_focusElement)
        SetFocusElement(nullptr);
    if ((old ^ element->GetState()) & kStateDisabled)
        NotifyAccessibility(EVENT_OBJECT_STATECHANGE, *element);
    return TRUE;
}

void CBkDialogView::InvalidateElement(const CBkWindow& element) {
    if (element.IsVisible(true))
        InvalidateArea(element.GetRect());
}

void CBkDialogView::InvalidateArea(const RECT& rect) {
    HRGN added = ::CreateRectRgnIndirect(&rect);
    if (!m_dirtyRegion) {
        m_dirtyRegion.Reset(added);
    } else {
        ::CombineRgn(m_dirtyRegion.Get(), m_dirtyRegion.Get(), added, RGN_OR);
        ::DeleteObject(added);
    }
    m_needsRedraw = true;
    if (IsWindow())
        ::InvalidateRect(m_hWnd, &rect, FALSE);
}
