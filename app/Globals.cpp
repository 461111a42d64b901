// Defined together so that they are constructed in this order and destroyed in reverse: the
// sync thread uses the Winsock holder. Neither thread is stopped or waited for at exit.
#include "app/Globals.h"

CWinsockHolder g_winsockHolder;
CFixTimeThread g_fixTimeThread;
CSyncTimeThread g_syncTimeThread(g_winsockHolder);
WTL::CAppModule g_appModule;
