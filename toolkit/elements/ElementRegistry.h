// Element handles: every element registers itself under a number of its own, and relations
// between elements are held as these numbers, resolved at the moment of use.
#pragma once

#include "platform/ScopedHandle.h"

#include <unordered_map>

class CBkWindow;

// Process-wide, created on first use and never destroyed.
class ElementRegistry {
public:
    static ElementRegistry& Instance();

    // A new handle, from 1 upward, never reused.
    UINT Register(CBkWindow* element);
    void Unregister(UINT handle);
    // Null for an unknown or removed handle.
    CBkWindow* Find(UINT handle);
    // The one lock of the toolkit: it guards the registry and the named element groups.
    CriticalSection& Lock() { return m_lock; }

private:
    ElementRegistry() = default;

    CriticalSection m_lock;
    std::unordered_map<UINT, CBkWindow*> m_elements;
    UINT m_lastHandle = 0;
};

inline CBkWindow* FindElement(UINT handle) {
    return ElementRegistry::Instance().Find(handle);
}
