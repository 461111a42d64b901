// The current time zone's name as the Date and Time settings word it, from the registry's list.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

struct TimeZoneRecord {
    std::wstring displayName;
    std::wstring standardName;
};

// Keyed and ordered by display name, compared as UTF-16 code units; the first record of a
// display name stays.
using TimeZoneMap = std::map<std::wstring, TimeZoneRecord>;

// Where the names come from.
struct TimeZoneSource {
    // The whole list.
    std::function<TimeZoneMap()> readZones;
    // The display name of the zone whose key has this name, in the user's display language
    // where the list holds it in that language; empty when there is none.
    std::function<std::wstring(const std::wstring& keyName)> readLocalizedName;
    // The zone of that key name alone: its display and standard names, empty when there is no
    // such zone.
    std::function<TimeZoneRecord(const std::wstring& keyName)> readZone;
};

// The operating system's list of zones, read afresh on every call; empty when it cannot be
// opened. A zone whose key does not open is skipped, a missing value reads as empty.
TimeZoneMap EnumTimeZones();
// The same list under another root and path.
TimeZoneMap EnumTimeZones(HKEY root, const std::wstring& path);

// The list under that root and path; the operating system's without arguments. A zone's name
// by its key is its "MUI_Display", a string resource in the user's display language, or, where
// that does not load, its "Display", in the language Windows was installed in. Every key is
// opened for reading only.
TimeZoneSource RegistryTimeZones();
TimeZoneSource RegistryTimeZones(HKEY root, const std::wstring& path);

// The display name of the current zone, shortened; empty when it cannot be determined.
std::wstring TimeZoneDisplayName();
// The same, read first from the current zone's own key alone, for the window's first paint:
// the whole list waits for the window's next check of the name.
std::wstring TimeZoneDisplayNameFromOwnKey();

// The display name for one answer of GetDynamicTimeZoneInformation, found by the zone's
// standard name whether or not daylight time is in force, or else by its key name; empty,
// without reading the list, when the query failed.
std::wstring DisplayNameForZone(DWORD queryResult, const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                                const TimeZoneSource& source);
// As DisplayNameForZone, but the current zone's own key gives the name when its standard name
// is the zone's, without the list being read. Only where two zones share a standard name can
// the two differ.
std::wstring DisplayNameFromOwnKey(DWORD queryResult, const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                                   const TimeZoneSource& source);
// The display name of the first zone in map order with exactly this standard name; empty
// when there is none.
std::wstring FindDisplayName(const TimeZoneMap& zones, const std::wstring& standardName);
// A name listing many places keeps only the text before its third full-width comma (U+FF0C)
// found from the second character on; ASCII commas do not count.
std::wstring ShortenDisplayName(const std::wstring& displayName);
