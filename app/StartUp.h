// The process entry's work: single instance, library start-up, and the "/t" or window mode.
#pragma once

#include <windows.h>

// Returns the process exit code.
int RunChronalign(HINSTANCE instance, const wchar_t* commandLine);

// Exactly "/t", case-sensitive, nothing before or after.
bool IsInstallRecordCommand(const wchar_t* commandLine);
