#include "timeservice/TimeServiceConfig.h"

#include "platform/ServiceHandle.h"
#include "timeservice/RegKeyHepler.h"
#include "timeservice/W32TimeSettings.h"

namespace {

// The service manager and the W32Time service; the service is closed first.
struct TimeServiceHandles {
    TimeServiceHandles()
        : manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)),
          service(manager
                      ? ::OpenServiceW(manager.Get(), kW32TimeServiceName, kW32TimeServiceAccess)
                      : nullptr) {}

    bool QueryStatus(SERVICE_STATUS& status, const DebugOutput& debugOutput) const {
        if (::QueryServiceStatus(service.Get(), &status))
            return true;
        debugOutput(L"Query Services Status Fail!\r\n");
        return false;
    }

    const ScopedServiceHandle manager;
    const ScopedServiceHandle service;
};

// Every value is written as it stands, without reading first; a key that does not open
// costs only its own values.
void WriteW32TimeValues(CRegKeyHepler& key) {
    for (const W32TimeKey& w32TimeKey : W32TimeKeys()) {
        if (key.Open(HKEY_LOCAL_MACHINE, w32TimeKey.path, kW32TimeKeyAccess) != ERROR_SUCCESS)
            continue;
        for (const W32TimeValue& value : w32TimeKey.values) {
            if (value.text != nullptr)
                key.SetStringValue(value.name, value.text);
            else
                key.SetDwordValue(value.name, value.number);
        }
    }
}

// Asks for the change; false (reported) when the service manager refuses it.
bool RequestChange(SC_HANDLE service, bool start, const DebugOutput& debugOutput) {
    if (start) {
        if (::StartServiceW(service, 0, nullptr))
            return true;
        debugOutput(L"start service error");
        return false;
    }
    SERVICE_STATUS status{};
    if (::ControlService(service, SERVICE_CONTROL_STOP, &status))
        return true;
    debugOutput(L"stop service error\u3002");
    return false;
}

} // namespace

HRESULT ConfigureTimeService() {
    return ConfigureTimeService(TimeServiceSettings{});
}

HRESULT ConfigureTimeService(const TimeServiceSettings& settings) {
    CRegKeyHepler key;
    WriteW32TimeValues(key);

    const TimeServiceHandles handles;
    if (!handles.service)
        return E_FAIL;
    SERVICE_STATUS status{};
    if (!handles.QueryStatus(status, settings.debugOutput))
        return E_FAIL;
    if (status.dwCurrentState == SERVICE_RUNNING)
        ControlTimeService(false, settings);
    ControlTimeService(true, settings);
    return S_OK;
}

void ControlTimeService(bool start) {
    ControlTimeService(start, TimeServiceSettings{});
}

void ControlTimeService(bool start, const TimeServiceSettings& settings) {
    const TimeServiceHandles handles;
    if (!handles.service)
        return;
    SERVICE_STATUS status{};
    if (!handles.QueryStatus(status, settings.debugOutput))
        return;
    if (status.dwCurrentState != (start ? SERVICE_STOPPED : SERVICE_RUNNING))
        return;

    // Automatic before either request, so that the service also comes back after a reboot.
    ::ChangeServiceConfigW(handles.service.Get(), SERVICE_NO_CHANGE, SERVICE_AUTO_START,
                           SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr);
    if (!RequestChange(handles.service.Get(), start, settings.debugOutput))
        return;

    const auto query = [&handles](SERVICE_STATUS& polled) {
        return ::QueryServiceStatus(handles.service.Get(), &polled) != FALSE;
    };
    if (WaitForServiceState(start ? SERVICE_RUNNING : SERVICE_STOPPED, query, ::Sleep,
                            settings.waitBounds))
        settings.debugOutput(start ? L"start success" : L"stop success\u3002");
}
