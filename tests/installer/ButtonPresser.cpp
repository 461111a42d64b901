// Clicks a button of another program's window as a person would, without the keyboard focus
// that key presses need (which another window may hold on a busy display):
//   ButtonPresser.exe <caption prefix> <button id>
// Waits up to 60 s for a visible, enabled top-level window whose caption starts so and that
// holds a visible, enabled button of that id (a modal box disables the window under it), and
// clicks it. Ends with 0 once it did, 1 when no such button came.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

struct Search {
    std::wstring caption;
    int id;
    HWND button = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    wchar_t caption[256] = L"";
    ::GetWindowTextW(window, caption, 256);
    if (!::IsWindowVisible(window) || !::IsWindowEnabled(window) ||
        std::wcsncmp(caption, search.caption.c_str(), search.caption.size()) != 0)
        return TRUE;
    HWND button = ::GetDlgItem(window, search.id);
    if (button == nullptr || !::IsWindowVisible(button) || !::IsWindowEnabled(button))
        return TRUE;
    search.button = button;
    return FALSE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    Search search{argv[1], static_cast<int>(std::wcstol(argv[2], nullptr, 10))};
    for (int tries = 0; tries < 600; ++tries) {
        ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.button != nullptr) {
            // Posted: the click may open a modal box, which would hold a sent message up.
            ::PostMessageW(search.button, BM_CLICK, 0, 0);
            return 0;
        }
        ::Sleep(100);
    }
    return 1;
}
