// The view's side of accessibility: the elements it tells screen readers of, the object it
// hands them, and the events it sends when the focus, a text or a state changes.
#include "toolkit/frame/BkDialogView.h"

#include "platform/SystemFolder.h"
#include "toolkit/elements/ElementRegistry.h"
#include "toolkit/frame/ViewAccessible.h"

#include <algorithm>

void CBkDialogView::BuildAccessibleElements() {
    m_accessibleElements.clear();
    CBkDialog* sections[3];
    const int count = Sections(sections);
    for (int i = 0; i < count; ++i) {
        VisitInDocumentOrder(*sections[i], [this](CBkWindow& element) {
            if (element.AccessibleRole() == 0)
                return true;
            // A button's texts are its name, not children of their own.
            m_accessibleElements.push_back(element.GetHandle());
            return false;
        });
    }
}

LONG CBkDialogView::AccessibleChildId(const CBkWindow& element) const {
    const auto found =
        std::find(m_accessibleElements.begin(), m_accessibleElements.end(), element.GetHandle());
    return found != m_accessibleElements.end()
               ? static_cast<LONG>(found - m_accessibleElements.begin()) + 1
               : CHILDID_SELF;
}

void CBkDialogView::NotifyAccessibility(DWORD event, const CBkWindow& element) const {
    const LONG id = AccessibleChildId(element);
    if (id != CHILDID_SELF && m_hWnd != nullptr)
        ::NotifyWinEvent(event, m_hWnd, OBJID_CLIENT, id);
}

IAccessible* CBkDialogView::GetAccessible() {
    if (m_accessible == nullptr)
        m_accessible = new ViewAccessible(*this);
    m_accessible->AddRef();
    return m_accessible;
}

LRESULT CBkDialogView::OnGetObject(UINT, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    handled = FALSE;
    // The object id comes in the low 32 bits, whatever the pointer size.
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
        return 0;
    using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
    static const auto lresultFromObject =
        FindSystemFunction<LresultFromObjectFunction>(L"oleacc.dll", "LresultFromObject");
    if (lresultFromObject == nullptr)
        return 0;
    IAccessible* accessible = GetAccessible();
    const LRESULT result = lresultFromObject(__uuidof(IAccessible), wParam, accessible);
    accessible->Release();
    // Where the system cannot marshal it (Wine has no proxy for the interface), the reader
    // gets the system's own object for the window instead of an error.
    if (result < 0)
        return 0;
    handled = TRUE;
    return result;
}

void CBkDialogView::ReleaseAccessible() {
    if (m_accessible == nullptr)
        return;
    m_accessible->Disconnect();
    // Readers that still hold it get an error at once rather than a call into this thread,
    // which may no longer answer.
    ::CoDisconnectObject(static_cast<IAccessible*>(m_accessible), 0);
    m_accessible->Release();
    m_accessible = nullptr;
}
