#include "platform/AnsiText.h"

#include <windows.h>

std::string ToAnsi(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string narrow(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(size) - 1);
    return narrow;
}

bool ToAnsiExactly(const std::wstring& text, std::string& ansi) {
    ansi.clear();
    if (text.empty())
        return true;
    const int length = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length,
                                           nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return false;
    ansi.resize(static_cast<size_t>(size));
    if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, &ansi[0], size,
                              nullptr, nullptr) != size) {
        ansi.clear();
        return false;
    }
    return true;
}
