// A library from the system folder loaded for a while and released on destruction, for
// functions that older systems may lack and that are therefore looked up by name.
#pragma once

#include "platform/SystemFolder.h"

#include <windows.h>

class ScopedLibrary {
public:
    explicit ScopedLibrary(const wchar_t* name) : m_module(LoadSystemLibrary(name)) {}
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;
    ~ScopedLibrary() {
        if (m_module != nullptr)
            ::FreeLibrary(m_module);
    }

    // The function of that name as the given pointer type; null when it or the library is
    // missing.
    template <typename Function> Function Find(const char* name) const {
        if (m_module == nullptr)
            return nullptr;
        return reinterpret_cast<Function>(
            reinterpret_cast<void*>(::GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};
