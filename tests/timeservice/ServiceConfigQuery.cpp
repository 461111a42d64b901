#include "tests/timeservice/ServiceConfigQuery.h"

#include "platform/ServiceHandle.h"

#include <vector>

ServiceConfig QueryConfig(SC_HANDLE service) {
    DWORD needed = 0;
    ::QueryServiceConfigW(service, nullptr, 0, &needed);
    if (needed == 0)
        return {};
    std::vector<QUERY_SERVICE_CONFIGW> buffer(needed / sizeof(QUERY_SERVICE_CONFIGW) + 1);
    if (!::QueryServiceConfigW(service, buffer.data(),
                               static_cast<DWORD>(buffer.size() * sizeof buffer[0]), &needed))
        return {};
    const QUERY_SERVICE_CONFIGW& config = buffer.front();
    return {config.dwStartType, config.lpBinaryPathName ? config.lpBinaryPathName : L""};
}

ServiceConfig QueryConfig(const wchar_t* serviceName) {
    ScopedServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ScopedServiceHandle service(
        manager ? ::OpenServiceW(manager.Get(), serviceName, SERVICE_QUERY_CONFIG) : nullptr);
    return service ? QueryConfig(service.Get()) : ServiceConfig{};
}
