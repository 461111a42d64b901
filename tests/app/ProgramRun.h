// Runs a copy of the program to its end, noting whether it showed a window.
#pragma once

#include <windows.h>

#include <string>

struct ProgramRun {
    DWORD exitCode;
    bool showedWindow;
};

// Runs "<directory><program><arguments>". A visible top-level window of the process is noted
// and closed, so that a window-mode start ends too; STILL_ACTIVE after 30 seconds.
ProgramRun RunProgramIn(const std::wstring& directory, const std::wstring& arguments,
                        const std::wstring& program = L"Chronalign.exe");
