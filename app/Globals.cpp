// Created in this order before the entry runs and never destroyed: the worker threads are not
// stopped at exit and may still call through these objects (the sync thread uses the Winsock
// holder) while the run-time library tears down static objects.
#include "app/Globals.h"

CWinsockHolder& g_winsockHolder = *new CWinsockHolder;
CFixTimeThread& g_fixTimeThread = *new CFixTimeThread;
CSyncTimeThread& g_syncTimeThread = *new CSyncTimeThread(g_winsockHolder);
WTL::CAppModule& g_appModule = *new WTL::CAppModule;
