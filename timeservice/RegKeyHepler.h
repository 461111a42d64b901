// A registry key opened one at a time, with the value reads and writes the program needs.
#pragma once

#include "platform/RegKey.h"

#include <functional>
#include <string>

// Every operation returns a Win32 error code, 0 for success. Open and Close come from the
// base: a failed Open keeps the key held before.
class CRegKeyHepler : public ATL::CRegKey {
public:
    CRegKeyHepler() = default;
    virtual ~CRegKeyHepler() = default;

    // The text is stored with its terminating NUL. An empty name is the key's default value.
    LONG SetStringValue(const wchar_t* name, const wchar_t* text, DWORD type = REG_SZ);
    LONG SetDwordValue(const wchar_t* name, DWORD value);

    // Name of the index-th sub-key; ERROR_NO_MORE_ITEMS past the last one. `out` is left as
    // it was on failure.
    LONG EnumSubKey(DWORD index, std::wstring& out);
    // A string value of any length; ERROR_INVALID_DATA when it is not text. `out` is left as
    // it was on failure.
    LONG QueryString(const wchar_t* name, std::wstring& out);
};

// Calls `visit` with the name of each sub-key of the open key, in index order. Ends at
// ERROR_NO_MORE_ITEMS and also at any other failure: a key deleted or closed under the walk
// fails at every index, and the walk would never end.
void ForEachSubKey(CRegKeyHepler& key, const std::function<void(const std::wstring&)>& visit);
