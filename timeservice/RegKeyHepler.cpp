#include "timeservice/RegKeyHepler.h"

#include "timeservice/RegStringRead.h"

LONG CRegKeyHepler::SetStringValue(const wchar_t* name, const wchar_t* text, DWORD type) {
    if (text == nullptr)
        return ERROR_INVALID_PARAMETER;
    const DWORD bytes = (::lstrlenW(text) + 1) * sizeof(wchar_t);
    return ::RegSetValueExW(m_hKey, name, 0, type, reinterpret_cast<const BYTE*>(text), bytes);
}

LONG CRegKeyHepler::SetDwordValue(const wchar_t* name, DWORD value) {
    return ::RegSetValueExW(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value);
}

LONG CRegKeyHepler::EnumSubKey(DWORD index, std::wstring& out) {
    std::wstring buffer(kRegBufferChars, L'\0');
    DWORD capacity = kRegBufferChars;
    LONG result =
        ::RegEnumKeyExW(m_hKey, index, &buffer[0], &capacity, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA && capacity > 0) {
        buffer.assign(capacity, L'\0');
        result = ::RegEnumKeyExW(m_hKey, index, &buffer[0], &capacity, nullptr, nullptr, nullptr,
                                 nullptr);
    }
    if (result == ERROR_SUCCESS)
        out.assign(buffer.c_str());
    return result;
}

LONG CRegKeyHepler::QueryString(const wchar_t* name, std::wstring& out) {
    return ReadRegString(
        [this, name](BYTE* data, DWORD* byteSize, DWORD* type) {
            return ::RegQueryValueExW(m_hKey, name, nullptr, type, data, byteSize);
        },
        out);
}

void ForEachSubKey(CRegKeyHepler& key, const std::function<void(const std::wstring&)>& visit) {
    std::wstring name;
    for (DWORD index = 0; key.EnumSubKey(index, name) == ERROR_SUCCESS; ++index)
        visit(name);
}
