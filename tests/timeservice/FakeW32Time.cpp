#include "tests/timeservice/FakeW32Time.h"

#include "platform/RegKey.h"
#include "platform/ServiceHandle.h"
#include "tests/fixtures/ChildProcess.h"
#include "tests/fixtures/RegistryKey.h"
#include "tests/timeservice/ServiceConfigQuery.h"

#include <aclapi.h>
#include <sddl.h>

#include <fstream>
#include <functional>

namespace {

constexpr DWORD kSettleTimeoutMs = 15000;

bool PollUntil(DWORD timeoutMs, const std::function<bool()>& done) {
    for (DWORD waited = 0; !done(); waited += 50) {
        if (waited >= timeoutMs)
            return false;
        ::Sleep(50);
    }
    return true;
}

DWORD QueryState(SC_HANDLE service) {
    SERVICE_STATUS status{};
    return ::QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
}

// Null when the service does not exist.
SC_HANDLE OpenTimeService(SC_HANDLE manager, DWORD access) {
    return manager ? ::OpenServiceW(manager, L"W32Time", access) : nullptr;
}

// Stops and deletes the stand-in left by this or an earlier run, and its registry key; false
// (touching nothing) when the W32Time there is somebody else's.
bool RemoveStandIn() {
    ScopedServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return false;
    {
        ScopedServiceHandle service(OpenTimeService(manager.Get(), SERVICE_ALL_ACCESS));
        if (service) {
            if (QueryConfig(service.Get()).binaryPath.find(L"FakeTimeService.exe") ==
                std::wstring::npos)
                return false;
            // A start or stop still pending finishes first; only a running service takes a
            // stop, and it may refuse it for a while.
            PollUntil(kSettleTimeoutMs, [&] {
                const DWORD state = QueryState(service.Get());
                SERVICE_STATUS status{};
                if (state == SERVICE_RUNNING)
                    ::ControlService(service.Get(), SERVICE_CONTROL_STOP, &status);
                return state == SERVICE_STOPPED || state == 0;
            });
            ::DeleteService(service.Get());
        }
    }
    PollUntil(kSettleTimeoutMs, [&] {
        return !ScopedServiceHandle(OpenTimeService(manager.Get(), SERVICE_QUERY_STATUS));
    });
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kServiceKeyPath);
    return true;
}

bool CreateMachineKey(const wchar_t* path) {
    return CreateRegistryKey(HKEY_LOCAL_MACHINE, path, kMachineView);
}

bool CreateStandIn(const FakeW32TimeOptions& options, const std::wstring& pendingEvent,
                   const std::wstring& logPath) {
    ScopedServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    const std::wstring program =
        ProgramDirectory() + (options.missingProgram ? L"missing\\" : L"") + L"FakeTimeService.exe";
    const std::wstring binary = L"\"" + program + L"\" " + std::to_wstring(options.pendingMs) +
                                L" " + std::to_wstring(options.waitHintMs) + L" " +
                                std::to_wstring(options.refuseStopMs) + L" " + pendingEvent +
                                L" \"" + logPath + L"\"";
    ScopedServiceHandle service(::CreateServiceW(
        manager.Get(), L"W32Time", L"Windows Time (test stand-in)", SERVICE_ALL_ACCESS,
        SERVICE_WIN32_OWN_PROCESS, options.startType, SERVICE_ERROR_IGNORE, binary.c_str(), nullptr,
        nullptr, nullptr, nullptr, nullptr));
    return static_cast<bool>(service);
}

const wchar_t* const kServersValueNames[2] = {L"2", L""};

} // namespace

FakeW32Time::FakeW32Time(const FakeW32TimeOptions& options) {
    if (!RemoveStandIn())
        return;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring name = L"FakeW32Time-" + std::to_wstring(::GetCurrentProcessId());
    m_logPath = std::wstring(temp) + name + L".log";
    ::DeleteFileW(m_logPath.c_str());
    // Global: the service process may run in a session of its own.
    const std::wstring pendingEvent = L"Global\\" + name + L"-pending";
    m_pendingEnds.Reset(::CreateEventW(nullptr, TRUE, FALSE, pendingEvent.c_str()));

    m_createdServersRoot = FirstMissingMachineKey(kServersKeyPath);
    ATL::CRegKey servers;
    OpenMachineKey(kServersKeyPath, KEY_READ, servers);
    for (int i = 0; i < 2 && m_createdServersRoot.empty(); ++i) {
        SavedValue& saved = m_savedServers[i];
        DWORD size = 0;
        if (::RegQueryValueExW(servers, kServersValueNames[i], nullptr, &saved.type, nullptr,
                               &size) != ERROR_SUCCESS)
            continue;
        saved.data.resize(size);
        saved.present = ::RegQueryValueExW(servers, kServersValueNames[i], nullptr, &saved.type,
                                           saved.data.data(), &size) == ERROR_SUCCESS;
    }
    servers.Close();
    // Tests may lock the key down; one that was here before gets its own list back.
    if (m_createdServersRoot.empty())
        m_savedServersAccessList = KeyAccessList(kServersKeyPath);

    m_ready = m_pendingEnds.Get() != nullptr &&
              (!options.installService || CreateStandIn(options, pendingEvent, m_logPath)) &&
              CreateMachineKey(kConfigKeyPath) && CreateMachineKey(kParametersKeyPath) &&
              (!options.createNtpClientKey || CreateMachineKey(kNtpClientKeyPath)) &&
              CreateMachineKey(kServersKeyPath);
}

FakeW32Time::~FakeW32Time() {
    if (m_logPath.empty())
        return;
    EndPending();
    RemoveStandIn();
    if (!m_createdServersRoot.empty()) {
        DeleteMachineKey(m_createdServersRoot);
    } else {
        if (!m_savedServersAccessList.empty())
            SetKeyAccessList(kServersKeyPath, m_savedServersAccessList.c_str());
        ATL::CRegKey servers;
        OpenMachineKey(kServersKeyPath, KEY_SET_VALUE, servers);
        for (int i = 0; i < 2; ++i) {
            const SavedValue& saved = m_savedServers[i];
            if (saved.present)
                ::RegSetValueExW(servers, kServersValueNames[i], 0, saved.type, saved.data.data(),
                                 static_cast<DWORD>(saved.data.size()));
            else
                ::RegDeleteValueW(servers, kServersValueNames[i]);
        }
    }
    ::DeleteFileW(m_logPath.c_str());
}

bool FakeW32Time::Start() const {
    ScopedServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ScopedServiceHandle service(OpenTimeService(manager.Get(), SERVICE_START));
    return service && ::StartServiceW(service.Get(), 0, nullptr);
}

bool FakeW32Time::EndPending() const {
    return ::SetEvent(m_pendingEnds.Get()) != FALSE;
}

DWORD FakeW32Time::State() const {
    ScopedServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ScopedServiceHandle service(OpenTimeService(manager.Get(), SERVICE_QUERY_STATUS));
    return service ? QueryState(service.Get()) : 0;
}

DWORD FakeW32Time::StartType() const {
    return QueryConfig(L"W32Time").startType;
}

bool FakeW32Time::WaitForState(DWORD state, DWORD timeoutMs) const {
    return PollUntil(timeoutMs, [&] { return State() == state; });
}

std::vector<std::string> FakeW32Time::Requests() const {
    std::vector<std::string> requests;
    std::ifstream log(m_logPath.c_str());
    for (std::string line; std::getline(log, line);)
        requests.push_back(line);
    return requests;
}

LONG OpenMachineKey(const wchar_t* path, REGSAM access, ATL::CRegKey& key) {
    return key.Open(HKEY_LOCAL_MACHINE, path, access | kMachineView);
}

void DeleteMachineKey(const std::wstring& path) {
    ATL::CRegKey key;
    if (OpenMachineKey(path.c_str(), DELETE | KEY_READ | KEY_SET_VALUE, key) != ERROR_SUCCESS)
        return;
    // What lies below goes through the handle, which is in the view already.
    ::RegDeleteTreeW(key, nullptr);
    key.Close();
    ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), kMachineView, 0);
}

bool MachineKeyExists(const std::wstring& path) {
    ATL::CRegKey key;
    return OpenMachineKey(path.c_str(), KEY_READ, key) == ERROR_SUCCESS;
}

std::wstring FirstMissingMachineKey(const std::wstring& path) {
    for (std::size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
        const std::wstring prefix = path.substr(0, end);
        if (!MachineKeyExists(prefix))
            return prefix;
        if (end == std::wstring::npos)
            return {};
    }
}

std::wstring KeyAccessList(const wchar_t* path) {
    // Through a handle: the key's name would be looked up in the test's own view.
    ATL::CRegKey key;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (OpenMachineKey(path, READ_CONTROL, key) != ERROR_SUCCESS ||
        ::GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                          nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return {};
    wchar_t* text = nullptr;
    std::wstring result;
    if (::ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        result = text;
        ::LocalFree(text);
    }
    ::LocalFree(descriptor);
    return result;
}

bool SetKeyAccessList(const wchar_t* path, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                                nullptr))
        return false;
    ATL::CRegKey key;
    const bool set =
        OpenMachineKey(path, WRITE_DAC, key) == ERROR_SUCCESS &&
        ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    ::LocalFree(descriptor);
    return set;
}
