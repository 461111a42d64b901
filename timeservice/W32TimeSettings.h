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
// Values are only written. In the 64-bit view: a 32-bit process on 64-bit Windows would write
// the date-and-time server list under WOW6432Node, where the Date and Time settings never look
// (32-bit Windows ignores the flag, and the SYSTEM keys are one key in both views).
constexpr REGSAM kW32TimeKeyAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
