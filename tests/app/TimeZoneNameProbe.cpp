// Prints what the platform reports for the current time zone and the display name found for
// it, for tests that start it under a chosen zone: the GetTimeZoneInformation result on the
// first line, the name in UTF-8 on the second.
#include "app/TimeZoneName.h"

#include <windows.h>

#include <cstdio>
#include <string>

int wmain() {
    TIME_ZONE_INFORMATION zone{};
    const DWORD result = ::GetTimeZoneInformation(&zone);
    const std::wstring name = TimeZoneDisplayName();
    std::string utf8(name.size() * 3, '\0');
    utf8.resize(::WideCharToMultiByte(CP_UTF8, 0, name.c_str(), static_cast<int>(name.size()),
                                      &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr));
    std::printf("%lu\n%s\n", static_cast<unsigned long>(result), utf8.c_str());
    return 0;
}
