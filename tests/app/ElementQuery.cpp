// Reads the running program's window from outside, for the tests of the whole program: what
// the screen cannot tell (element texts and state bits, message box texts, whether the window
// is minimised). One command per input line, one answer line each, until the input ends:
//   element <id>  "<state bits>|<text colour RRGGBB or none>|<text>", or "none"
//   window        "<left> <top> <right> <bottom> <minimised 0/1> <visible 0/1> <windows>" of
//                 the program's window (windows: how many carry the caption), or "none"
//   box           "<left> <top> <right> <bottom>|<its OK button, the same>|<text>" of the
//                 message box over the window, or "none"
//   close         posts WM_CLOSE to the program's window: "posted", or "none"
//   accessible    asks the window's view for its object for screen readers, as a reader does:
//                 the number of its children, or "none"
#include "tests/app/ProgramWindows.h"

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr wchar_t kCaption[] = L"Tavemark Chronalign";
// A window that does not answer within this is reported as "none".
constexpr UINT kAnswerTimeoutMs = 3000;

std::string Utf8(const std::wstring& text) {
    std::string utf8(text.size() * 3 + 1, '\0');
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0],
                                             static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(length > 0 ? length - 1 : 0);
    return utf8;
}

std::string RectText(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    char text[64];
    std::snprintf(text, sizeof text, "%ld %ld %ld %ld", rect.left, rect.top, rect.right,
                  rect.bottom);
    return text;
}

HWND ProgramWindow(const CaptionedWindows& windows) {
    return windows.frames.empty() ? nullptr : windows.frames.front();
}

std::string QueryElement(UINT id) {
    const HWND window = ProgramWindow(FindCaptionedWindows(kCaption));
    static const UINT message = ::RegisterWindowMessageW(L"BkDialogQueryElement");
    DWORD_PTR atom = 0;
    if (window == nullptr ||
        !::SendMessageTimeoutW(window, message, id, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &atom) ||
        atom == 0)
        return "none";
    wchar_t text[256] = {};
    ::GlobalGetAtomNameW(static_cast<ATOM>(atom), text, 256);
    ::GlobalDeleteAtom(static_cast<ATOM>(atom));
    return Utf8(text);
}

std::string DescribeWindow() {
    const CaptionedWindows windows = FindCaptionedWindows(kCaption);
    const HWND window = ProgramWindow(windows);
    if (window == nullptr)
        return "none";
    return RectText(window) + (::IsIconic(window) ? " 1" : " 0") +
           (::IsWindowVisible(window) ? " 1 " : " 0 ") + std::to_string(windows.frames.size());
}

std::string DescribeMessageBox() {
    const CaptionedWindows windows = FindCaptionedWindows(kCaption);
    if (windows.messageBoxes.empty())
        return "none";
    const HWND box = windows.messageBoxes.front();
    // Message boxes give their text the static control id 0xFFFF.
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return RectText(box) + "|" + RectText(::GetDlgItem(box, IDOK)) + "|" + Utf8(text);
}

std::string CloseProgramWindow() {
    const HWND window = ProgramWindow(FindCaptionedWindows(kCaption));
    return window != nullptr && ::PostMessageW(window, WM_CLOSE, 0, 0) ? "posted" : "none";
}

std::string CountAccessibleChildren() {
    const HWND window = ProgramWindow(FindCaptionedWindows(kCaption));
    const HWND view = window != nullptr ? ::GetWindow(window, GW_CHILD) : nullptr;
    IAccessible* accessible = nullptr;
    if (view == nullptr || FAILED(::AccessibleObjectFromWindow(
                               view, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&accessible))))
        return "none";
    long count = 0;
    const HRESULT counted = accessible->get_accChildCount(&count);
    accessible->Release();
    return SUCCEEDED(counted) ? std::to_string(count) : "none";
}

std::string Answer(const std::string& command) {
    if (command.rfind("element ", 0) == 0)
        return QueryElement(static_cast<UINT>(std::strtoul(command.c_str() + 8, nullptr, 10)));
    if (command == "window")
        return DescribeWindow();
    if (command == "box")
        return DescribeMessageBox();
    if (command == "close")
        return CloseProgramWindow();
    if (command == "accessible")
        return CountAccessibleChildren();
    return "unknown command";
}

} // namespace

int main() {
    ::CoInitialize(nullptr);
    std::string command;
    while (std::getline(std::cin, command)) {
        if (!command.empty() && command.back() == '\r')
            command.pop_back();
        std::cout << Answer(command) << std::endl;
    }
    return 0;
}
