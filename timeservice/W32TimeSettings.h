// What the program writes to the Windows Time service's configuration, and the service itself.
#pragma once

#include <windows.h>

#include <vector>

// One value; `text` is null for a REG_DWORD, which then takes `number`.
struct W32TimeValue {
    const wchar_t* name;
    const wchar_t* text;
    DWORD number;
};

// One key under HKEY_LOCAL_MACHINE and its values, in the order they are written.
struct W32TimeKey {
    const wchar_t* path;
    std::vector<W32TimeValue> values;
};

// The four keys: Config, the date-and-time server list, Parameters, NtpClient.
const std::vector<W32TimeKey>& W32TimeKeys();

constexpr const wchar_t* kW32TimeServiceName = L"W32Time";
// 0x10036: what the service is opened with, DELETE included.
constexpr DWORD kW32TimeServiceAccess =
    DELETE | SERVICE_STOP | SERVICE_START | SERVICE_QUERY_STATUS | SERVICE_CHANGE_CONFIG;
constexpr REGSAM kW32TimeKeyAccess = KEY_READ | KEY_WRITE;
