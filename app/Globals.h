// The process-wide objects that exist before the entry runs.
#pragma once

#include "platform/AppModule.h"
#include "sync/FixTimeThread.h"
#include "sync/SyncTimeThread.h"
#include "sync/WinsockHolder.h"

extern CWinsockHolder& g_winsockHolder;
extern CFixTimeThread& g_fixTimeThread;
extern CSyncTimeThread& g_syncTimeThread;
extern WTL::CAppModule& g_appModule;
