#include "tests/app/ProgramRun.h"

#include "tests/fixtures/ChildProcess.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != wanted->processId || !::IsWindowVisible(window))
        return TRUE;
    wanted->found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    ::EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

ProgramRun RunProgramIn(const std::wstring& directory, const std::wstring& arguments,
                        const std::wstring& program) {
    ChildProcess child(L"\"" + directory + program + L"\"" + arguments);
    ProgramRun run{STILL_ACTIVE, false};
    for (int poll = 0; poll < 1500 && run.exitCode == STILL_ACTIVE; ++poll) {
        run.exitCode = child.Wait(20);
        if (HWND window = VisibleWindowOf(child.Id())) {
            run.showedWindow = true;
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
    if (run.exitCode == STILL_ACTIVE)
        child.Kill();
    return run;
}
