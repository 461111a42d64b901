// Defined together so that they are constructed in this order and destroyed in reverse.
#include "app/Globals.h"

WTL::CAppModule g_appModule;
