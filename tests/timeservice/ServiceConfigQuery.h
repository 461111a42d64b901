// Reading a service's configuration, for the stand-in service and the fixture that installs it.
#pragma once

#include <windows.h>

#include <string>

struct ServiceConfig {
    DWORD startType = 0;
    std::wstring binaryPath;
};

// A zero start type when the configuration cannot be read.
ServiceConfig QueryConfig(SC_HANDLE service);
// The same for the service of that name, opened just for the query.
ServiceConfig QueryConfig(const wchar_t* serviceName);
