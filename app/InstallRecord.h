// The "/t" mode: records the program's id, the machine and the version beside the executable.
#pragma once

#include <windows.h>

// Replaces "tockwell.ini" beside the executable with section "common": "pid", "uid" and
// "ver". Writes nothing when the directory cannot be written or named exactly in the ANSI code
// page. Returns the exit code, always 0.
int WriteInstallRecord(HINSTANCE instance);
