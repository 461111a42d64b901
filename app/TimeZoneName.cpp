#include "app/TimeZoneName.h"

#include "timeservice/RegKeyHepler.h"

#include <cwchar>

namespace {

constexpr const wchar_t* kTimeZonesPath =
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
// Read and write rights, although only reading follows: a user refused them gets no name.
constexpr REGSAM kTimeZoneKeyAccess = KEY_READ | KEY_WRITE;
constexpr wchar_t kPlaceSeparator = L'\uFF0C';
constexpr int kPlacesKept = 3;

std::wstring QueryStringOrEmpty(CRegKeyHepler& key, const wchar_t* name) {
    std::wstring text;
    key.QueryString(name, text);
    return text;
}

} // namespace

TimeZoneMap EnumTimeZones() {
    return EnumTimeZones(HKEY_LOCAL_MACHINE, kTimeZonesPath);
}

TimeZoneMap EnumTimeZones(HKEY root, const std::wstring& path) {
    TimeZoneMap zones;
    CRegKeyHepler list;
    if (list.Open(root, path.c_str(), kTimeZoneKeyAccess) != ERROR_SUCCESS)
        return zones;
    ForEachSubKey(list, [&](const std::wstring& subKey) {
        CRegKeyHepler zone;
        if (zone.Open(root, (path + L"\\" + subKey).c_str(), kTimeZoneKeyAccess) != ERROR_SUCCESS)
            return;
        TimeZoneRecord record{QueryStringOrEmpty(zone, L"Display"),
                              QueryStringOrEmpty(zone, L"Std")};
        zones.emplace(record.displayName, std::move(record));
    });
    return zones;
}

std::wstring TimeZoneDisplayName() {
    TIME_ZONE_INFORMATION zone{};
    const DWORD result = ::GetTimeZoneInformation(&zone);
    return DisplayNameForZone(result, zone, [] { return EnumTimeZones(); });
}

std::wstring DisplayNameForZone(DWORD queryResult, const TIME_ZONE_INFORMATION& zone,
                                const std::function<TimeZoneMap()>& readZones) {
    if (queryResult != TIME_ZONE_ID_UNKNOWN && queryResult != TIME_ZONE_ID_STANDARD &&
        queryResult != TIME_ZONE_ID_DAYLIGHT)
        return {};
    const std::size_t fieldChars = sizeof zone.StandardName / sizeof zone.StandardName[0];
    const std::wstring standardName(zone.StandardName,
                                    ::wcsnlen(zone.StandardName, fieldChars - 1));
    return ShortenDisplayName(FindDisplayName(readZones(), standardName));
}

std::wstring FindDisplayName(const TimeZoneMap& zones, const std::wstring& standardName) {
    for (const auto& entry : zones) {
        if (entry.second.standardName == standardName)
            return entry.second.displayName;
    }
    return {};
}

std::wstring ShortenDisplayName(const std::wstring& displayName) {
    std::size_t found = 0;
    for (int place = 0; place < kPlacesKept; ++place) {
        found = displayName.find(kPlaceSeparator, place == 0 ? 1 : found + 1);
        if (found == std::wstring::npos)
            return displayName;
    }
    return displayName.substr(0, found);
}
