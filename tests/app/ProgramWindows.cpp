#include "tests/app/ProgramWindows.h"

#include <cwchar>

namespace {

// The dialog class of message boxes.
constexpr wchar_t kDialogClass[] = L"#32770";

struct Search {
    const wchar_t* caption;
    CaptionedWindows found;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t text[128] = {};
    wchar_t className[64] = {};
    ::GetWindowTextW(window, text, 128);
    if (std::wcscmp(text, search->caption) != 0)
        return TRUE;
    ::GetClassNameW(window, className, 64);
    if (std::wcscmp(className, kDialogClass) == 0)
        search->found.messageBoxes.push_back(window);
    else
        search->found.frames.push_back(window);
    return TRUE;
}

} // namespace

CaptionedWindows FindCaptionedWindows(const wchar_t* caption) {
    Search search{caption, {}};
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
