// Taken by the linker in place of the product's list: every entry is a loopback address where
// nothing answers, so the attempts fail at once and the sync thread never leaves the machine.
#include "sync/TimeServers.h"

const wchar_t* const kTimeServers[kTimeServerCount] = {
    L"127.0.0.9", L"127.0.0.9", L"127.0.0.9", L"127.0.0.9", L"127.0.0.9", L"127.0.0.9",
};
