#include "sync/TimeServers.h"

const wchar_t* const kTimeServers[kTimeServerCount] = {
    L"time.nist.gov",     L"time.nist.gov",       L"time-a-g.nist.gov",
    L"time-b-g.nist.gov", L"time-a-wwv.nist.gov", L"time-b-wwv.nist.gov",
};
