// The time texts, under the zone that the CTest entry starts the program in: TZ=IST-5:30, which
// Wine and the run-time library both read as UTC+05:30 all year round. Daylight saving is tried
// under PST8PDT, set in the environment for the run-time library alone (with US rules).
#include "app/TimeFormat.h"
#include "tests/fixtures/SyncTestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// 2026-12-08 09:30:10 UTC.
constexpr int64_t kDecemberMorningUtc = 1796722210;

// The same fields as a UTC time; SecondCount reads them as local time.
SYSTEMTIME Local(int year, int month, int day, int hour, int minute, int second,
                 int milliseconds = 0) {
    return Utc(year, month, day, hour, minute, second, milliseconds);
}

// Points the run-time library at another zone for a while: it reads TZ from the environment.
class CrtZone {
public:
    explicit CrtZone(const wchar_t* zone) {
        if (const wchar_t* outer = _wgetenv(L"TZ"))
            m_outer = outer;
        Use(zone);
    }
    CrtZone(const CrtZone&) = delete;
    CrtZone& operator=(const CrtZone&) = delete;
    ~CrtZone() { Use(m_outer.c_str()); }

private:
    static void Use(const wchar_t* zone) {
        _wputenv_s(L"TZ", zone);
        _tzset();
    }

    std::wstring m_outer;
};

class TimeFormat : public ::testing::Test {
protected:
    void SetUp() override {
        TIME_ZONE_INFORMATION zone{};
        ::GetTimeZoneInformation(&zone);
        ASSERT_EQ(zone.Bias, -330) << "needs TZ=IST-5:30, as its CTest entry sets";
    }
    void TearDown() override { _wsetlocale(LC_ALL, L"C"); }
};

} // namespace

TEST_F(TimeFormat, LocaleNameIsTheUsersInEnglishWithTheAnsiCodePage) {
    // Wine's locale for the Unix C locales, which the tests run under.
    EXPECT_EQ(CrtLocaleName(), L"English_United States.1252");
    EXPECT_NE(_wsetlocale(LC_ALL, CrtLocaleName().c_str()), nullptr);
}

TEST_F(TimeFormat, SecondCountReadsTheFieldsAsLocalTime) {
    struct Case {
        SYSTEMTIME local;
        int64_t count;
        // The run-time library's zone, where it is not the one the program started in.
        const wchar_t* zone = nullptr;
    };
    const Case cases[] = {
        {Local(2026, 12, 8, 15, 0, 10), kDecemberMorningUtc},
        {Local(2026, 12, 8, 15, 0, 10, 999), kDecemberMorningUtc}, // milliseconds dropped
        {Local(2026, 7, 1, 12, 0, 0), 1782887400},                 // no daylight saving
        {Local(1970, 1, 1, 5, 30, 0), 0},
        {Local(1899, 12, 31, 23, 59, 59), 0},
        // The library finds daylight saving itself: UTC-7 in summer, UTC-8 in winter.
        {Local(2026, 7, 1, 12, 0, 0), 1782932400, L"PST8PDT"},
        {Local(2026, 12, 8, 1, 30, 10), kDecemberMorningUtc, L"PST8PDT"},
    };
    for (const Case& c : cases) {
        std::optional<CrtZone> zone;
        if (c.zone)
            zone.emplace(c.zone);
        EXPECT_EQ(SecondCount(c.local), c.count)
            << c.local.wYear << '-' << c.local.wMonth << ' ' << (c.zone ? c.zone : L"");
    }
}

TEST_F(TimeFormat, FormatsTheCountAsLocalTimeInTheLocalesFormat) {
    struct Case {
        const wchar_t* locale;
        int64_t count;
        const wchar_t* format;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"C", kDecemberMorningUtc, L"%Y-%m-%d %H:%M:%S", L"2026-12-08 15:00:10"},
        {L"C", kDecemberMorningUtc, L"%x %X", L"12/08/26 15:00:10"},
        {L"English_United States.1252", kDecemberMorningUtc, L"%x %X", L"12/8/2026 3:00:10 PM"},
        {L"French_France.1252", kDecemberMorningUtc, L"%x %X", L"08/12/2026 15:00:10"},
        {L"C", 0, L"%x %X", L"01/01/70 05:30:00"},
        // Counts that the library cannot convert.
        {L"C", -1, L"%x %X", L""},
        {L"C", 40000000000, L"%x %X", L""},
    };
    for (const Case& c : cases) {
        ASSERT_NE(_wsetlocale(LC_ALL, c.locale), nullptr) << c.locale;
        EXPECT_EQ(FormatSecondCount(c.count, c.format), c.text) << c.locale << ' ' << c.count;
    }
}

TEST_F(TimeFormat, DateTimeIsTheLocalesDateAndTimeOfTheFields) {
    ASSERT_NE(_wsetlocale(LC_ALL, L"English_United States.1252"), nullptr);
    EXPECT_EQ(FormatDateTime(Local(2026, 12, 8, 15, 0, 10, 500)), L"12/8/2026 3:00:10 PM");
}
