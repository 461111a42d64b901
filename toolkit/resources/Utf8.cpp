#include "toolkit/resources/Utf8.h"

#include <windows.h>

#include <cstring>

std::wstring Utf8ToWide(const char* text) {
    if (text == nullptr || *text == '\0')
        return std::wstring();
    const int length = static_cast<int>(std::strlen(text));
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring wide(size, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, length, &wide[0], size);
    return wide;
}
