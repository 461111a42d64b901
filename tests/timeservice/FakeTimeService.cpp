// A stand-in for the Windows Time service, which Wine lacks: it answers start and stop with
// pending states and wait hints, and appends each request, with the start type it finds in
// the service manager at that moment, to a log file ("start 3", "stop 2").
// It can also refuse stop requests for a while after it starts running. Each pending state
// lasts the pending time, or until the named event is set.
// Command line (the service's binary path):
//   FakeTimeService.exe <pending ms> <hint ms> <refuse stop ms> <end-of-pending event> <log>
#include "platform/ScopedHandle.h"
#include "tests/timeservice/ServiceConfigQuery.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr const wchar_t* kServiceName = L"W32Time";

DWORD g_pendingMs = 0;
DWORD g_waitHintMs = 0;
DWORD g_refuseStopMs = 0;
std::wstring g_logPath;
ScopedHandle g_pendingEnds;
SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
ScopedHandle g_stopRequested;

void Log(const char* request) {
    if (FILE* log = _wfopen(g_logPath.c_str(), L"a")) {
        std::fprintf(log, "%s %lu\n", request,
                     static_cast<unsigned long>(QueryConfig(kServiceName).startType));
        std::fclose(log);
    }
}

void Report(DWORD state, DWORD waitHint, DWORD controlsAccepted = 0) {
    static DWORD checkPoint = 0;
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = controlsAccepted;
    status.dwWaitHint = waitHint;
    status.dwCheckPoint = waitHint == 0 ? 0 : ++checkPoint;
    ::SetServiceStatus(g_statusHandle, &status);
}

DWORD WINAPI HandleControl(DWORD control, DWORD, void*, void*) {
    if (control == SERVICE_CONTROL_STOP) {
        Log("stop");
        ::SetEvent(g_stopRequested.Get());
    }
    return NO_ERROR;
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
    g_statusHandle = ::RegisterServiceCtrlHandlerExW(kServiceName, HandleControl, nullptr);
    if (g_statusHandle == nullptr)
        return;
    Report(SERVICE_START_PENDING, g_waitHintMs);
    Log("start");
    ::WaitForSingleObject(g_pendingEnds.Get(), g_pendingMs);
    if (g_refuseStopMs > 0) {
        Report(SERVICE_RUNNING, 0);
        ::Sleep(g_refuseStopMs);
    }
    Report(SERVICE_RUNNING, 0, SERVICE_ACCEPT_STOP);

    ::WaitForSingleObject(g_stopRequested.Get(), INFINITE);
    Report(SERVICE_STOP_PENDING, g_waitHintMs);
    ::WaitForSingleObject(g_pendingEnds.Get(), g_pendingMs);
    Report(SERVICE_STOPPED, 0);
}

} // namespace

int wmain() {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count != 6)
        return 2;
    g_pendingMs = std::wcstoul(arguments[1], nullptr, 10);
    g_waitHintMs = std::wcstoul(arguments[2], nullptr, 10);
    g_refuseStopMs = std::wcstoul(arguments[3], nullptr, 10);
    g_pendingEnds.Reset(::CreateEventW(nullptr, TRUE, FALSE, arguments[4]));
    g_logPath = arguments[5];
    ::LocalFree(arguments);

    g_stopRequested.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    wchar_t name[] = L"W32Time";
    const SERVICE_TABLE_ENTRYW table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return ::StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
