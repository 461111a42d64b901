// Stand-in for the framework's registry key: owns one open key and closes it on destruction.
#pragma once

#include <windows.h>

namespace ATL {

class CRegKey {
public:
    CRegKey() = default;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    ~CRegKey() { Close(); }

    // The held key is replaced only once the new one is open, so a failed open leaves the
    // object usable on the key it had.
    LONG Open(HKEY parent, const wchar_t* path, REGSAM access = KEY_READ | KEY_WRITE) {
        HKEY opened = nullptr;
        const LONG result = ::RegOpenKeyExW(parent, path, 0, access, &opened);
        if (result != ERROR_SUCCESS)
            return result;
        const LONG closed = Close();
        m_hKey = opened;
        return closed;
    }

    LONG Close() {
        if (m_hKey == nullptr)
            return ERROR_SUCCESS;
        const LONG result = ::RegCloseKey(m_hKey);
        m_hKey = nullptr;
        return result;
    }

    operator HKEY() const { return m_hKey; }

    HKEY m_hKey = nullptr;
};

} // namespace ATL
