#include "app/TimeZoneName.h"

#include "timeservice/RegKeyHepler.h"
#include "timeservice/RegMuiString.h"

#include <cwchar>

namespace {

constexpr const wchar_t* kTimeZonesPath =
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
constexpr REGSAM kTimeZoneKeyAccess = KEY_READ;
constexpr wchar_t kPlaceSeparator = L'\uFF0C';
constexpr int kPlacesKept = 3;

std::wstring QueryStringOrEmpty(CRegKeyHepler& key, const wchar_t* name) {
    std::wstring text;
    key.QueryString(name, text);
    return text;
}

// The text of a fixed field of the platform's record, which need not end in a NUL.
template <std::size_t Chars> std::wstring FieldText(const wchar_t (&field)[Chars]) {
    return std::wstring(field, ::wcsnlen(field, Chars - 1));
}

// GetDynamicTimeZoneInformation's answers that describe a zone.
bool DescribesZone(DWORD queryResult) {
    return queryResult == TIME_ZONE_ID_UNKNOWN || queryResult == TIME_ZONE_ID_STANDARD ||
           queryResult == TIME_ZONE_ID_DAYLIGHT;
}

bool OpenZone(CRegKeyHepler& zone, HKEY root, const std::wstring& path,
              const std::wstring& keyName) {
    return !keyName.empty() &&
           zone.Open(root, (path + L"\\" + keyName).c_str(), kTimeZoneKeyAccess) == ERROR_SUCCESS;
}

TimeZoneRecord ZoneRecord(HKEY root, const std::wstring& path, const std::wstring& keyName) {
    CRegKeyHepler zone;
    if (!OpenZone(zone, root, path, keyName))
        return {};
    return {QueryStringOrEmpty(zone, L"Display"), QueryStringOrEmpty(zone, L"Std")};
}

std::wstring LocalizedDisplayName(HKEY root, const std::wstring& path,
                                  const std::wstring& keyName) {
    CRegKeyHepler zone;
    if (!OpenZone(zone, root, path, keyName))
        return {};
    std::wstring name;
    if (LoadMuiString(zone, L"MUI_Display", name) != ERROR_SUCCESS)
        zone.QueryString(L"Display", name);
    return name;
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

TimeZoneSource RegistryTimeZones() {
    return RegistryTimeZones(HKEY_LOCAL_MACHINE, kTimeZonesPath);
}

TimeZoneSource RegistryTimeZones(HKEY root, const std::wstring& path) {
    return {[root, path] { return EnumTimeZones(root, path); },
            [root, path](const std::wstring& keyName) {
                return LocalizedDisplayName(root, path, keyName);
            },
            [root, path](const std::wstring& keyName) { return ZoneRecord(root, path, keyName); }};
}

std::wstring TimeZoneDisplayName() {
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    const DWORD result = ::GetDynamicTimeZoneInformation(&zone);
    return DisplayNameForZone(result, zone, RegistryTimeZones());
}

std::wstring TimeZoneDisplayNameFromOwnKey() {
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    const DWORD result = ::GetDynamicTimeZoneInformation(&zone);
    return DisplayNameFromOwnKey(result, zone, RegistryTimeZones());
}

std::wstring DisplayNameFromOwnKey(DWORD queryResult, const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                                   const TimeZoneSource& source) {
    if (!DescribesZone(queryResult))
        return {};
    const TimeZoneRecord own = source.readZone(FieldText(zone.TimeZoneKeyName));
    if (!own.displayName.empty() && own.standardName == FieldText(zone.StandardName))
        return ShortenDisplayName(own.displayName);
    return DisplayNameForZone(queryResult, zone, source);
}

std::wstring DisplayNameForZone(DWORD queryResult, const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                                const TimeZoneSource& source) {
    if (!DescribesZone(queryResult))
        return {};
    std::wstring name = FindDisplayName(source.readZones(), FieldText(zone.StandardName));
    // The standard name comes in the user's display language and "Std" in the installation's:
    // under a second display language none matches, and the zone is found by its key instead.
    if (name.empty())
        name = source.readLocalizedName(FieldText(zone.TimeZoneKeyName));
    return ShortenDisplayName(name);
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
