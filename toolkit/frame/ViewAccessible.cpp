#include "toolkit/frame/ViewAccessible.h"

#include "platform/SystemFolder.h"
#include "toolkit/elements/ElementRegistry.h"
#include "toolkit/frame/BkDialogView.h"

#include <string>

namespace {

HRESULT Text(const std::wstring& text, BSTR* out) {
    *out = ::SysAllocString(text.c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, LONG id) {
    out->vt = VT_I4;
    out->lVal = id;
}

HRESULT Nothing(VARIANT* out) {
    out->vt = VT_EMPTY;
    return S_FALSE;
}

VARIANT Self() {
    VARIANT self;
    SetChild(&self, CHILDID_SELF);
    return self;
}

} // namespace

ViewAccessible::ViewAccessible(CBkDialogView& view) : m_view(&view) {
    using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    static const auto createStandard = FindSystemFunction<CreateStdAccessibleObjectFunction>(
        L"oleacc.dll", "CreateStdAccessibleObject");
    if (createStandard != nullptr)
        createStandard(view.m_hWnd, OBJID_CLIENT, __uuidof(IAccessible),
                       reinterpret_cast<void**>(&m_standard));
}

ViewAccessible::~ViewAccessible() {
    Disconnect();
}

void ViewAccessible::Disconnect() {
    m_view = nullptr;
    if (m_standard != nullptr)
        m_standard->Release();
    m_standard = nullptr;
}

HRESULT ViewAccessible::QueryInterface(REFIID id, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ViewAccessible::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG ViewAccessible::Release() {
    const LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT ViewAccessible::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT ViewAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ViewAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT ViewAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
    return E_NOTIMPL;
}

ViewAccessible::Target ViewAccessible::Resolve(const VARIANT& child) const {
    if (m_view == nullptr || m_standard == nullptr)
        return {CO_E_OBJNOTCONNECTED, false, nullptr};
    if (child.vt != VT_I4)
        return {E_INVALIDARG, false, nullptr};
    if (child.lVal == CHILDID_SELF)
        return {S_OK, true, nullptr};
    const std::vector<UINT>& elements = m_view->AccessibleElements();
    if (child.lVal < 1 || static_cast<size_t>(child.lVal) > elements.size())
        return {E_INVALIDARG, false, nullptr};
    CBkWindow* element = FindElement(elements[static_cast<size_t>(child.lVal) - 1]);
    return {element != nullptr ? S_OK : E_INVALIDARG, false, element};
}

const wchar_t* ViewAccessible::DefaultAction(const CBkWindow& element) {
    switch (element.AccessibleRole()) {
    case ROLE_SYSTEM_LINK:
        return L"Jump";
    case ROLE_SYSTEM_PUSHBUTTON:
        return L"Press";
    case ROLE_SYSTEM_CHECKBUTTON:
        return (element.GetState() & kStateChecked) ? L"Uncheck" : L"Check";
    case ROLE_SYSTEM_RADIOBUTTON:
        return L"Check";
    default:
        return L"";
    }
}

HRESULT ViewAccessible::get_accParent(IDispatch** parent) {
    const Target target = Resolve(Self());
    if (FAILED(target.result))
        return target.result;
    return m_standard->get_accParent(parent);
}

HRESULT ViewAccessible::get_accChildCount(long* count) {
    const Target target = Resolve(Self());
    if (FAILED(target.result))
        return target.result;
    *count = static_cast<long>(m_view->AccessibleElements().size());
    return S_OK;
}

HRESULT ViewAccessible::get_accChild(VARIANT child, IDispatch** object) {
    *object = nullptr;
    const Target target = Resolve(child);
    if (FAILED(target.result) || target.self)
        return FAILED(target.result) ? target.result : E_INVALIDARG;
    // The elements are simple children: the caller asks this object about them by id.
    return S_FALSE;
}

HRESULT ViewAccessible::get_accName(VARIANT child, BSTR* name) {
    *name = nullptr;
    const Target target = Resolve(child);
    if (FAILED(target.result))
        return target.result;
    if (target.self) {
        // The frame's caption: the view is the whole of the window that a person sees.
        wchar_t caption[256] = L"";
        ::GetWindowTextW(::GetAncestor(m_view->m_hWnd, GA_ROOT), caption, 256);
        return Text(caption, name);
    }
    return Text(target.element->AccessibleName(), name);
}

HRESULT ViewAccessible::get_accValue(VARIANT child, BSTR* value) {
    *value = nullptr;
    const Target target = Resolve(child);
    if (FAILED(target.result))
        return target.result;
    return target.self ? m_standard->get_accValue(child, value) : DISP_E_MEMBERNOTFOUND;
}

HRESULT ViewAccessible::get_accDescription(VARIANT child, BSTR* description) {
    *description = nullptr;
    const Target target = Resolve(child);
    if (FAILED(target.result))
        return target.result;
    return target.self ? m_standard->get_accDescription(child, description) : S_FALSE;
}

HRESULT ViewAccessible::get_accRole(VARIANT child, VARIANT* role) {
    role->vt = VT_EMPTY;
    const Target target = Resolve(child);
    if (FAILED(target.result))
        return target.result;
    if (target.self)
        return m_standard->get_accRole(child, role);
    SetChild(role, target.element->AccessibleRole());
    return S_OK;
}

HRESULT ViewAccessible::get_accState(VARIANT child, VARIANT* state) {
    state->vt = VT_EMPTY;
    const Target target = Resolve(child);
    if (FAILED(target.result))
        return target.result;
    if (target.self)
        return m_standard->get_accState(child, state);
    const CBkWindow& element = *target.element;
    const DWORD bits = element.GetState();
    LONG flags = 0;
    if (!element.IsVisible(true))
        flags |= STATE_SYSTEM_INVISIBLE;
    if (element.IsDisabled(true))
        flags |= STATE_SYSTEM_UNAVAILABLE;
    else if (element.IsTabStop() && element.TakesClicks() && element.IsVisible(true))
        flags |= STATE_SYSTEM_FOCUSABLE;
    if (m_view->GetFocusElement() == &element && ::GetFocus() == m_view->m_hWnd)
        flags |= STATE_SYSTEM_FOCUSED;
    if (bits & kStateHover)
        flags |= STATE_SYSTEM_HOTTRACKED;
    if (bits & kStatePushed)
        flags |= STATE_SYSTEM_PRESSED;
    if (bits & kStateChecked)
        flags |= STATE_SYSTEM_CHECKED;
    if (element.AccessibleRole() == ROLE_SYSTEM_STATICTEXT)
        flags |= STATE_SYSTEM_READONLY;
    if (element.AccessibleRole() == ROLE_SYSTEM_LINK)
        flags |= STATE_SYSTEM_LINKED;
    SetChild(state, flags);
    return S_OK;
}

HRESULT ViewAccessible::get_accHelp(VARIANT child, BSTR* help) {
    *help = nullptr;
    const Target target = Resolve(child);
    return FAILED(target.result) ? target.result : S_FALSE;
}

HRESULT ViewAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    *file = nullptr;
    *topic = 0;
    const Target target = Resolve(child);
    return FAILED(target.result) ? target.result : S_FALSE;
}

HRESULT ViewAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    *shortcut = nullptr;
    const Target target = Resolve(child);
    return FAILED(target.result) ? target.result : S_FALSE;
}

HRESULT ViewAccessible::get_accFocus(VARIANT* focus) {
    focus->vt = VT_EMPTY;
    const Target target = Resolve(Self());
    if (FAILED(target.result))
        return target.result;
    if (::GetFocus() != m_view->m_hWnd)
        return Nothing(focus);
    const CBkWindow* element = m_view->GetFocusElement();
    SetChild(focus, element != nullptr ? m_view->AccessibleChildId(*element) : CHILDID_SELF);
    return S_OK;
}

HRESULT ViewAccessible::get_accSelection(VARIANT* selection) {
    selection->vt = VT_EMPTY;
    const Target target = Resolve(Self());
    return FAILED(target.result) ? target.result : Nothing(selection);
}

HRESULT ViewAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    *action = nullptr;
    const Target target = Resolve(child);
    if (FAILED(target.result))
        return target.result;
    if (target.self)
        return m_standard->get_accDefaultAction(child, action);
    const std::wstring name = DefaultAction(*target.element);
    return name.empty() ? S_FALSE : Text(name, action);
}

HRESULT ViewAccessible::accSelect(long flags, VARIANT child) {
    const Target target = Resolve(child);
    if (FAILED(target.result))
        return target.result;
    if (target.self)
        return m_standard->accSelect(flags, child);
    CBkWindow& element = *target.element;
    if (flags != SELFLAG_TAKEFOCUS || !element.IsTabStop() || !element.TakesClicks() ||
        element.IsDisabled(true) || !element.IsVisible(true))
        return E_INVALIDARG;
    ::SetFocus(m_view->m_hWnd);
    m_view->SetFocusElement(&element);
    return S_OK;
}

HRESULT ViewAccessible::accLocation(long* left, long* top, long* width, long* height,
                                    VARIANT child) {
    const Target target = Resolve(child);
    if (FAILED(target.result))
        return target.result;
    if (target.self)
        return m_standard->accLocation(left, top, width, height, child);
    RECT rect = target.element->GetRect();
    ::MapWindowPoints(m_view->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

HRESULT ViewAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    end->vt = VT_EMPTY;
    const Target target = Resolve(start);
    if (FAILED(target.result))
        return target.result;
    const long count = static_cast<long>(m_view->AccessibleElements().size());
    long next = 0;
    if (target.self) {
        if (direction == NAVDIR_FIRSTCHILD)
            next = 1;
        else if (direction == NAVDIR_LASTCHILD)
            next = count;
        else
            return m_standard->accNavigate(direction, start, end);
    } else if (direction == NAVDIR_NEXT) {
        next = start.lVal + 1;
    } else if (direction == NAVDIR_PREVIOUS) {
        next = start.lVal - 1;
    }
    if (next < 1 || next > count)
        return S_FALSE;
    SetChild(end, next);
    return S_OK;
}

HRESULT ViewAccessible::accHitTest(long x, long y, VARIANT* child) {
    child->vt = VT_EMPTY;
    const Target target = Resolve(Self());
    if (FAILED(target.result))
        return target.result;
    POINT point{x, y};
    ::ScreenToClient(m_view->m_hWnd, &point);
    RECT client;
    ::GetClientRect(m_view->m_hWnd, &client);
    if (!::PtInRect(&client, point))
        return m_standard->accHitTest(x, y, child);
    // The element under the point, or the listed element that holds it.
    LONG id = CHILDID_SELF;
    for (const CBkWindow* element = m_view->HitTestSections(point);
         element != nullptr && id == CHILDID_SELF; element = element->GetParent())
        id = m_view->AccessibleChildId(*element);
    SetChild(child, id);
    return S_OK;
}

HRESULT ViewAccessible::accDoDefaultAction(VARIANT child) {
    const Target target = Resolve(child);
    if (FAILED(target.result))
        return target.result;
    if (target.self)
        return m_standard->accDoDefaultAction(child);
    const CBkWindow& element = *target.element;
    if (*DefaultAction(element) == L'\0')
        return DISP_E_MEMBERNOTFOUND;
    // Behind a modal box the frame is disabled: no click can reach its elements then, and so no
    // default action may either.
    if (!m_view->CanClick(element))
        return E_FAIL;
    // Later, from the message loop: what the click starts (a message box, say) must not hold
    // the caller up.
    m_view->PostClick(element);
    return S_OK;
}

HRESULT ViewAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT ViewAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}
