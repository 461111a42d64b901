// Runs a copy of the program to its end, noting the windows it showed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ProgramRun {
    DWORD exitCode;
    // The program's own window: its caption, not a dialog box.
    bool showedWindow;
    // Every other visible top-level window of the process, such as an error box, as
    // "class: caption"; the windows that the program's window owns (its shadow) excepted.
    std::vector<std::wstring> otherWindows;
};

// Runs "<directory><program><arguments>". Visible top-level windows of the process are noted
// and closed, so that a window-mode start ends too; STILL_ACTIVE after 30 seconds.
ProgramRun RunProgramIn(const std::wstring& directory, const std::wstring& arguments,
                        const std::wstring& program = L"Chronalign.exe");
