#include "app/TimeZoneName.h"
#include "tests/fixtures/ScratchKey.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

namespace {

const std::wstring kPacific = L"(UTC-08:00) Pacific Time (US & Canada)";
const std::wstring kSydney = L"(UTC+10:00) Canberra, Melbourne, Sydney";

TimeZoneMap Zones(std::initializer_list<TimeZoneRecord> records) {
    TimeZoneMap zones;
    for (const TimeZoneRecord& record : records)
        zones.emplace(record.displayName, record);
    return zones;
}

DYNAMIC_TIME_ZONE_INFORMATION ZoneNamed(const wchar_t* standardName, const wchar_t* daylightName,
                                        const wchar_t* keyName = L"") {
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    std::wcsncpy(zone.StandardName, standardName, 31);
    std::wcsncpy(zone.DaylightName, daylightName, 31);
    std::wcsncpy(zone.TimeZoneKeyName, keyName, 127);
    return zone;
}

// A list whose zones have no names by key.
TimeZoneSource ListOnly(const TimeZoneMap& zones) {
    return {[zones] { return zones; }, [](const std::wstring&) { return std::wstring(); }, {}};
}

} // namespace

TEST(ShortenDisplayName, KeepsTheTextBeforeTheThirdFullWidthComma) {
    EXPECT_EQ(ShortenDisplayName(L"(UTC+08:00) A\uFF0CB\uFF0CC\uFF0CD\uFF0CE"),
              L"(UTC+08:00) A\uFF0CB\uFF0CC");
    EXPECT_EQ(ShortenDisplayName(L"A\uFF0CB\uFF0CC\uFF0C"), L"A\uFF0CB\uFF0CC");
}

TEST(ShortenDisplayName, FewerThanThreeFullWidthCommasLeaveTheName) {
    EXPECT_EQ(ShortenDisplayName(L"A\uFF0CB\uFF0CC"), L"A\uFF0CB\uFF0CC");
    EXPECT_EQ(ShortenDisplayName(L""), L"");
}

TEST(ShortenDisplayName, AsciiCommasAreNotSeparators) {
    EXPECT_EQ(ShortenDisplayName(kSydney), kSydney);
    EXPECT_EQ(ShortenDisplayName(L"A, B, C, D, E"), L"A, B, C, D, E");
}

TEST(ShortenDisplayName, TheSearchStartsAtTheSecondCharacter) {
    EXPECT_EQ(ShortenDisplayName(L"\uFF0CA\uFF0CB\uFF0CC"), L"\uFF0CA\uFF0CB\uFF0CC");
    EXPECT_EQ(ShortenDisplayName(L"\uFF0CA\uFF0CB\uFF0CC\uFF0CD"), L"\uFF0CA\uFF0CB\uFF0CC");
}

TEST(FindDisplayName, TheOnlyZoneWithTheStandardNameGivesItsDisplayName) {
    const TimeZoneMap zones = Zones({{kPacific, L"Pacific Standard Time"},
                                     {L"(UTC-07:00) Arizona", L"US Mountain Standard Time"}});
    EXPECT_EQ(FindDisplayName(zones, L"Pacific Standard Time"), kPacific);
}

TEST(FindDisplayName, OfTwoZonesWithOneStandardNameTheFirstInOrderWins) {
    const TimeZoneMap zones = Zones({{L"(UTC+01:00) West", L"Shared Standard Time"},
                                     {L"(UTC+01:00) East", L"Shared Standard Time"}});
    EXPECT_EQ(FindDisplayName(zones, L"Shared Standard Time"), L"(UTC+01:00) East");
}

TEST(FindDisplayName, OrderIsByCodeUnitsNotByLocale) {
    const TimeZoneMap zones = Zones(
        {{L"(UTC) b zone", L"Shared Standard Time"}, {L"(UTC) C zone", L"Shared Standard Time"}});
    EXPECT_EQ(FindDisplayName(zones, L"Shared Standard Time"), L"(UTC) C zone");
}

TEST(FindDisplayName, TheStandardNameMustMatchExactly) {
    const TimeZoneMap zones = Zones({{kPacific, L"Pacific Standard Time"}});
    EXPECT_EQ(FindDisplayName(zones, L"pacific standard time"), L"");
    EXPECT_EQ(FindDisplayName(zones, L"Pacific Standard"), L"");
}

TEST(DisplayNameForZone, AFailedQueryGivesNothingWithoutReadingTheList) {
    bool read = false;
    const TimeZoneSource source{[&] {
                                    read = true;
                                    return TimeZoneMap{};
                                },
                                [&](const std::wstring&) {
                                    read = true;
                                    return std::wstring();
                                },
                                {}};
    const std::wstring name = DisplayNameForZone(
        TIME_ZONE_ID_INVALID, ZoneNamed(L"Pacific Standard Time", L"", L"Pacific Standard Time"),
        source);
    EXPECT_EQ(name, L"");
    EXPECT_FALSE(read);
}

TEST(DisplayNameForZone, WinterAndSummerGiveTheSameNameFromTheRealList) {
    const DYNAMIC_TIME_ZONE_INFORMATION pacific =
        ZoneNamed(L"Pacific Standard Time", L"Pacific Daylight Time", L"Pacific Standard Time");
    for (DWORD queryResult : {TIME_ZONE_ID_UNKNOWN, TIME_ZONE_ID_STANDARD, TIME_ZONE_ID_DAYLIGHT}) {
        EXPECT_EQ(DisplayNameForZone(queryResult, pacific, RegistryTimeZones()), kPacific)
            << "query result " << queryResult;
        EXPECT_EQ(DisplayNameFromOwnKey(queryResult, pacific, RegistryTimeZones()), kPacific)
            << "query result " << queryResult;
    }
}

// The zone's own key answers when its standard name is the zone's; else the list does.
TEST(DisplayNameFromOwnKey, ReadsTheListOnlyWhenTheOwnKeyDoesNotAnswer) {
    struct Case {
        TimeZoneRecord own;
        DWORD queryResult;
        const wchar_t* expected;
        bool listRead;
    };
    const Case cases[] = {
        {{L"Own\uFF0CA\uFF0CB\uFF0CC", L"Shared Standard Time"},
         TIME_ZONE_ID_DAYLIGHT,
         L"Own\uFF0CA\uFF0CB",
         false},
        {{L"Own", L"Other Standard Time"}, TIME_ZONE_ID_STANDARD, L"(UTC) Listed", true},
        {{}, TIME_ZONE_ID_UNKNOWN, L"(UTC) Listed", true},
        {{L"Own", L"Shared Standard Time"}, TIME_ZONE_ID_INVALID, L"", false},
    };
    for (const Case& c : cases) {
        bool listRead = false;
        const TimeZoneSource source{[&] {
                                        listRead = true;
                                        return Zones({{L"(UTC) Listed", L"Shared Standard Time"}});
                                    },
                                    [](const std::wstring&) { return std::wstring(); },
                                    [&](const std::wstring& key) {
                                        EXPECT_EQ(key, L"Shared");
                                        return c.own;
                                    }};
        EXPECT_EQ(DisplayNameFromOwnKey(c.queryResult,
                                        ZoneNamed(L"Shared Standard Time", L"", L"Shared"), source),
                  c.expected);
        EXPECT_EQ(listRead, c.listRead) << c.expected;
    }
}

TEST(DisplayNameForZone, OnlyTheFirst31CharactersOfTheStandardNameCount) {
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    const std::wstring full(32, L'z');
    std::wmemcpy(zone.StandardName, full.c_str(), 32);
    const TimeZoneMap zones = Zones({{L"Long", std::wstring(31, L'z')}});
    EXPECT_EQ(DisplayNameForZone(TIME_ZONE_ID_STANDARD, zone, ListOnly(zones)), L"Long");
}

TEST(DisplayNameForZone, IsShortened) {
    const TimeZoneMap zones = Zones({{L"A\uFF0CB\uFF0CC\uFF0CD", L"Many Standard Time"}});
    EXPECT_EQ(DisplayNameForZone(TIME_ZONE_ID_STANDARD, ZoneNamed(L"Many Standard Time", L""),
                                 ListOnly(zones)),
              L"A\uFF0CB\uFF0CC");
}

class EnumTimeZonesTest : public ::testing::Test {
protected:
    TimeZoneMap Enum() const { return EnumTimeZones(scratch.Root(), scratch.Path()); }
    void AddZone(const wchar_t* key, const wchar_t* display, const wchar_t* standard) {
        ASSERT_TRUE(scratch.SetString(key, L"Display", display));
        ASSERT_TRUE(scratch.SetString(key, L"Std", standard));
    }
    ScratchKey scratch;
};

TEST_F(EnumTimeZonesTest, ReadsEveryZoneByDisplayName) {
    AddZone(L"Pacific Standard Time", kPacific.c_str(), L"Pacific Standard Time");
    AddZone(L"AUS Eastern Standard Time", kSydney.c_str(), L"AUS Eastern Standard Time");
    const TimeZoneMap zones = Enum();
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones.at(kPacific).standardName, L"Pacific Standard Time");
    EXPECT_EQ(zones.at(kSydney).standardName, L"AUS Eastern Standard Time");
}

TEST_F(EnumTimeZonesTest, ARepeatedDisplayNameKeepsTheFirstRead) {
    AddZone(L"Zone A", L"(UTC) Same", L"A Standard Time");
    AddZone(L"Zone B", L"(UTC) Same", L"B Standard Time");
    const TimeZoneMap zones = Enum();
    ASSERT_EQ(zones.size(), 1u);
    EXPECT_EQ(zones.begin()->second.standardName, L"A Standard Time");
}

TEST_F(EnumTimeZonesTest, MissingValuesReadAsEmpty) {
    ASSERT_TRUE(scratch.SetString(L"No Std", L"Display", L"(UTC) No Std"));
    ASSERT_TRUE(scratch.SetDword(L"Numbers", L"Std", 5));
    const TimeZoneMap zones = Enum();
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones.at(L"(UTC) No Std").standardName, L"");
    EXPECT_EQ(zones.at(L"").standardName, L"");
}

TEST_F(EnumTimeZonesTest, AMissingListGivesNoZones) {
    EXPECT_TRUE(EnumTimeZones(scratch.Root(), scratch.PathOf(L"missing")).empty());
}

TEST_F(EnumTimeZonesTest, ReadsTheListAfreshOnEveryCall) {
    AddZone(L"Pacific Standard Time", kPacific.c_str(), L"Pacific Standard Time");
    ASSERT_EQ(Enum().size(), 1u);

    AddZone(L"AUS Eastern Standard Time", kSydney.c_str(), L"AUS Eastern Standard Time");
    const TimeZoneMap added = Enum();
    ASSERT_EQ(added.size(), 2u);
    EXPECT_EQ(added.at(kSydney).standardName, L"AUS Eastern Standard Time");

    ASSERT_EQ(::RegDeleteTreeW(scratch.Root(), scratch.PathOf(L"Pacific Standard Time").c_str()),
              ERROR_SUCCESS);
    const TimeZoneMap removed = Enum();
    EXPECT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed.count(kPacific), 0u);
}

// A list as an English installation of Windows keeps it, read by a user with another display
// language: the standard name that Windows gives such a user matches no "Std" value.
class ZoneByKeyNameTest : public ::testing::Test {
protected:
    ZoneByKeyNameTest() {
        AddZone(L"Pacific Standard Time", L"(UTC-08:00) Pacific, as installed",
                L"Pacific Standard Time", SystemPacificReference().c_str());
        AddZone(L"Display Only", L"(UTC+01:00) Display only", L"Display Only Time", nullptr);
        AddZone(L"Missing Resource", L"(UTC+02:00) Missing resource", L"Missing Resource Time",
                L"@chronalign-missing.dll,-1");
        AddZone(L"Many Places", L"(UTC+08:00) A\uFF0CB\uFF0CC\uFF0CD", L"Many Places Time",
                nullptr);
        // Anything read from the list's own key instead of a zone's shows.
        EXPECT_TRUE(scratch.SetString(kList, L"Display", L"(the list itself)"));
    }

    void AddZone(const wchar_t* key, const wchar_t* display, const wchar_t* standard,
                 const wchar_t* muiDisplay) {
        const std::wstring path = std::wstring(kList) + L"\\" + key;
        zoneKeys.push_back(path);
        ASSERT_TRUE(scratch.SetString(path, L"Display", display));
        ASSERT_TRUE(scratch.SetString(path, L"Std", standard));
        if (muiDisplay != nullptr) {
            ASSERT_TRUE(scratch.SetString(path, L"MUI_Display", muiDisplay));
        }
    }

    std::wstring NameFor(const wchar_t* standardName, const wchar_t* keyName) const {
        return DisplayNameForZone(TIME_ZONE_ID_STANDARD, ZoneNamed(standardName, L"", keyName),
                                  RegistryTimeZones(scratch.Root(), scratch.PathOf(kList)));
    }

    // The system list's reference to the Pacific zone's display name ("@tzres.dll,-" and the
    // number of the string in that file).
    static std::wstring SystemPacificReference() {
        wchar_t text[MAX_PATH] = {};
        DWORD bytes = sizeof text;
        ::RegGetValueW(HKEY_LOCAL_MACHINE,
                       L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\Pacific "
                       L"Standard Time",
                       L"MUI_Display", RRF_RT_REG_SZ, nullptr, text, &bytes);
        return text;
    }

    static constexpr const wchar_t* kList = L"Time Zones";
    ScratchKey scratch;
    std::vector<std::wstring> zoneKeys;
};

TEST_F(ZoneByKeyNameTest, FindsTheZoneByKeyNameWhereNoStandardNameMatches) {
    struct Case {
        const char* what;
        const wchar_t* standardName;
        const wchar_t* keyName;
        std::wstring name;
    };
    const Case cases[] = {
        {"a matching standard name wins over the key name", L"Pacific Standard Time",
         L"Display Only", L"(UTC-08:00) Pacific, as installed"},
        {"the resource in the display language, from the system folder", L"Pazifik Normalzeit",
         L"Pacific Standard Time", kPacific},
        {"no resource: the installed name", L"Normalzeit", L"Display Only",
         L"(UTC+01:00) Display only"},
        {"a resource that does not load: the installed name", L"Normalzeit", L"Missing Resource",
         L"(UTC+02:00) Missing resource"},
        {"shortened as well", L"Normalzeit", L"Many Places", L"(UTC+08:00) A\uFF0CB\uFF0CC"},
        {"no key name", L"Normalzeit", L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameFor(c.standardName, c.keyName), c.name) << c.what;
}

// Users may read the list but not change it: reading is all it takes.
TEST_F(ZoneByKeyNameTest, ReadsAListThatMayNotBeChanged) {
    ASSERT_TRUE(scratch.DenyChanges(kList));
    for (const std::wstring& key : zoneKeys)
        ASSERT_TRUE(scratch.DenyChanges(key));
    EXPECT_EQ(NameFor(L"Pacific Standard Time", L""), L"(UTC-08:00) Pacific, as installed");
    EXPECT_EQ(NameFor(L"Pazifik Normalzeit", L"Pacific Standard Time"), kPacific);
}

TEST(EnumTimeZones, ReadsTheSystemList) {
    const TimeZoneMap zones = EnumTimeZones();
    EXPECT_GT(zones.size(), 100u);
    EXPECT_EQ(zones.at(kPacific).standardName, L"Pacific Standard Time");
}
