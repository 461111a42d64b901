#include "sync/FixTimeThread.h"

#include "timeservice/TimeServiceConfig.h"

DWORD CFixTimeThread::Run() {
    ConfigureTimeService();
    return 0;
}
