// Installs the stand-in W32Time service and the registry keys of its configuration in the
// test prefix, and removes all of it again, so that every run starts from the same state.
#pragma once

#include "platform/RegKey.h"
#include "platform/ScopedHandle.h"

#include <windows.h>

#include <string>
#include <vector>

constexpr const wchar_t* kServiceKeyPath = L"SYSTEM\\CurrentControlSet\\Services\\W32Time";
constexpr const wchar_t* kConfigKeyPath = L"SYSTEM\\CurrentControlSet\\Services\\W32Time\\Config";
constexpr const wchar_t* kParametersKeyPath =
    L"SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters";
constexpr const wchar_t* kNtpClientKeyPath =
    L"SYSTEM\\CurrentControlSet\\Services\\W32Time\\TimeProviders\\NtpClient";
constexpr const wchar_t* kServersKeyPath =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\DateTime\\Servers";

struct FakeW32TimeOptions {
    bool installService = true;
    DWORD startType = SERVICE_DEMAND_START;
    // How long each start and stop stays pending, and the wait hint reported meanwhile; a test
    // may end the pending sooner.
    DWORD pendingMs = 200;
    DWORD waitHintMs = 300;
    // How long a running service refuses to be stopped.
    DWORD refuseStopMs = 0;
    // Registers a program that does not exist, so that the service cannot start.
    bool missingProgram = false;
    bool createNtpClientKey = true;
};

class FakeW32Time {
public:
    explicit FakeW32Time(const FakeW32TimeOptions& options);
    FakeW32Time(const FakeW32Time&) = delete;
    FakeW32Time& operator=(const FakeW32Time&) = delete;
    ~FakeW32Time();

    // False when a W32Time service that is not ours exists: nothing was touched then.
    bool Ready() const { return m_ready; }

    bool Start() const;
    // Ends a pending start or stop at once, and every later one.
    bool EndPending() const;
    // The current state, 0 when it cannot be read.
    DWORD State() const;
    DWORD StartType() const;
    bool WaitForState(DWORD state, DWORD timeoutMs) const;
    // The requests the service received, in order, each with the start type it found.
    std::vector<std::string> Requests() const;

private:
    bool m_ready = false;
    // The highest key of the Servers path that did not exist and is removed again.
    std::wstring m_createdServersRoot;
    std::wstring m_logPath;
    // Named, so that the service process can open it.
    ScopedHandle m_pendingEnds;
    // The two Servers values as they were ("2" and the default), to put back.
    struct SavedValue {
        bool present = false;
        std::vector<BYTE> data;
        DWORD type = REG_NONE;
    };
    SavedValue m_savedServers[2];
    // The Servers key's access list as it was; empty when the key is created here.
    std::wstring m_savedServersAccessList;
};

// The machine keys are read and changed where the program writes them, in the 64-bit view,
// whatever the bitness of the test.
constexpr REGSAM kMachineView = KEY_WOW64_64KEY;

// Opens the key under HKEY_LOCAL_MACHINE in that view.
LONG OpenMachineKey(const wchar_t* path, REGSAM access, ATL::CRegKey& key);
// Deletes the key under HKEY_LOCAL_MACHINE and all below it, in that view.
void DeleteMachineKey(const std::wstring& path);
bool MachineKeyExists(const std::wstring& path);
// The path up to the first key of it missing under HKEY_LOCAL_MACHINE; empty when all exist.
std::wstring FirstMissingMachineKey(const std::wstring& path);
// The access list of a key under HKEY_LOCAL_MACHINE in SDDL form, empty when unreadable.
std::wstring KeyAccessList(const wchar_t* path);
bool SetKeyAccessList(const wchar_t* path, const wchar_t* sddl);
