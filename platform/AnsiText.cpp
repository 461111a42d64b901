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
    // UTF-8 and UTF-7 hold every character, and the platform refuses both the no-best-fit flag
    // and the replacement report for them. UTF-8 must still refuse an unpaired surrogate, which
    // it would otherwise turn into U+FFFD.
    const UINT codePage = ::GetACP();
    const bool holdsEverything = codePage == CP_UTF8 || codePage == CP_UTF7;
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS
                        : holdsEverything   ? 0
                                            : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    const int size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr,
                                           holdsEverything ? nullptr : &lossy);
    if (size <= 0 || lossy)
        return false;
    ansi.resize(static_cast<size_t>(size));
    if (::WideCharToMultiByte(CP_ACP, flags, text.data(), length, &ansi[0], size, nullptr,
                              nullptr) != size) {
        ansi.clear();
        return false;
    }
    return true;
}
