// The process entry's work: single instance, library start-up, and the "/t" or window mode.
#pragma once

#include "sync/WinRunnable.h"

#include <windows.h>

// Returns the process exit code.
int RunChronalign(HINSTANCE instance, const wchar_t* commandLine);

// Exactly "/t", case-sensitive, nothing before or after.
bool IsInstallRecordCommand(const wchar_t* commandLine);

// Lets a running configuration thread finish before the shut-down, dispatching this thread's
// messages meanwhile: closing the window between its stop and its start of the time service
// would leave the service stopped. Its own service waits are bounded. The sync thread is not
// waited for.
void WaitForConfigurationThread(const WinMod::AWinRunnable& configurationThread);
