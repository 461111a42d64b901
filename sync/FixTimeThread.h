// The configuration thread: each start hands clock keeping to the Windows Time service once.
#pragma once

#include "sync/WinRunnable.h"

class CFixTimeThread : public WinMod::AWinRunnable {
public:
    // Runs the time service configuration; its result is not acted on.
    DWORD Run() override;
};
