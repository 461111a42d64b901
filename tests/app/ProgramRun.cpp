#include "tests/app/ProgramRun.h"

#include "tests/fixtures/ChildProcess.h"

#include <algorithm>

namespace {

constexpr wchar_t kProgramCaption[] = L"Tavemark Chronalign";
// The dialog class of message boxes, which take their owner's caption.
constexpr wchar_t kDialogClass[] = L"#32770";

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == wanted->processId && ::IsWindowVisible(window))
        wanted->found.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    WindowSearch search{processId, {}};
    ::EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsDialog(HWND window) {
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    return std::wstring(className) == kDialogClass;
}

bool IsProgramWindow(HWND window) {
    wchar_t caption[128] = {};
    ::GetWindowTextW(window, caption, 128);
    return std::wstring(caption) == kProgramCaption && !IsDialog(window);
}

bool IsOwnedByProgramWindow(HWND window) {
    const HWND owner = ::GetWindow(window, GW_OWNER);
    return owner != nullptr && IsProgramWindow(owner) && !IsDialog(window);
}

std::wstring Described(HWND window) {
    wchar_t className[64] = {};
    wchar_t caption[128] = {};
    ::GetClassNameW(window, className, 64);
    ::GetWindowTextW(window, caption, 128);
    return std::wstring(className) + L": " + caption;
}

} // namespace

ProgramRun RunProgramIn(const std::wstring& directory, const std::wstring& arguments,
                        const std::wstring& program) {
    ChildProcess child(L"\"" + directory + program + L"\"" + arguments);
    ProgramRun run{STILL_ACTIVE, false, {}};
    for (int poll = 0; poll < 1500 && run.exitCode == STILL_ACTIVE; ++poll) {
        run.exitCode = child.Wait(20);
        for (HWND window : VisibleWindowsOf(child.Id())) {
            const bool program = IsProgramWindow(window);
            const bool owned = IsOwnedByProgramWindow(window);
            const std::wstring described = Described(window);
            // A window destroyed while it was read (the program's, closing) told nothing.
            if (!::IsWindow(window))
                continue;
            if (program) {
                run.showedWindow = true;
            } else if (owned) {
                continue; // its shadow, which goes with it
            } else if (std::find(run.otherWindows.begin(), run.otherWindows.end(), described) ==
                       run.otherWindows.end()) {
                run.otherWindows.push_back(described);
            }
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
    if (run.exitCode == STILL_ACTIVE)
        child.Kill();
    return run;
}
