// The process-wide objects that exist before the entry runs.
#pragma once

#include "platform/AppModule.h"

extern WTL::CAppModule g_appModule;
