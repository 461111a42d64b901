#include "toolkit/elements/ElementRegistry.h"

ElementRegistry& ElementRegistry::Instance() {
    // Never destroyed: elements of static lifetime unregister themselves at exit.
    static ElementRegistry* const instance = new ElementRegistry;
    return *instance;
}

UINT ElementRegistry::Register(CBkWindow* element) {
    CriticalSectionLock lock(m_lock);
    const UINT handle = ++m_lastHandle;
    m_elements.emplace(handle, element);
    return handle;
}

void ElementRegistry::Unregister(UINT handle) {
    CriticalSectionLock lock(m_lock);
    m_elements.erase(handle);
}

CBkWindow* ElementRegistry::Find(UINT handle) {
    CriticalSectionLock lock(m_lock);
    const auto found = m_elements.find(handle);
    return found == m_elements.end() ? nullptr : found->second;
}
