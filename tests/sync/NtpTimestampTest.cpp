#include "sync/NtpTimestamp.h"
#include "sync/SntpMessage.h"
#include "tests/fixtures/SyncTestSupport.h"

#include <gtest/gtest.h>

namespace {

void ExpectCalendar(const CalendarTime& time, int year, int month, int day, int hour, int minute,
                    int second, int milliseconds, int dayOfWeek) {
    EXPECT_EQ(time.wYear, year);
    EXPECT_EQ(time.wMonth, month);
    EXPECT_EQ(time.wDay, day);
    EXPECT_EQ(time.wHour, hour);
    EXPECT_EQ(time.wMinute, minute);
    EXPECT_EQ(time.wSecond, second);
    EXPECT_EQ(time.wMilliseconds, milliseconds);
    EXPECT_EQ(time.wDayOfWeek, dayOfWeek);
}

} // namespace

TEST(NtpTimestamp, EraStartIsZeroAndAMonday) {
    const NtpTimestamp start = NtpTimestamp::FromCalendarTime(Utc(1900, 1, 1, 0, 0, 0));
    EXPECT_EQ(start.Seconds(), 0u);
    EXPECT_EQ(start.Fraction(), 0u);
    ExpectCalendar(NtpTimestamp(0, 0).ToCalendarTime(), 1900, 1, 1, 0, 0, 0, 0, 1);
}

TEST(NtpTimestamp, StartOf2011RoundTripsAsASaturday) {
    const NtpTimestamp stamp = NtpTimestamp::FromCalendarTime(Utc(2011, 1, 1, 0, 0, 0));
    EXPECT_EQ(stamp.Seconds(), 0xD0C8ED00u);
    ExpectCalendar(stamp.ToCalendarTime(), 2011, 1, 1, 0, 0, 0, 0, 6);
}

TEST(NtpTimestamp, DayOfWeekOfTheInputIsIgnored) {
    CalendarTime time = Utc(2023, 2, 25, 14, 5, 9, 250);
    const NtpTimestamp plain = NtpTimestamp::FromCalendarTime(time);
    time.wDayOfWeek = 3;
    EXPECT_EQ(NtpTimestamp::FromCalendarTime(time).Seconds(), plain.Seconds());
    ExpectCalendar(plain.ToCalendarTime(), 2023, 2, 25, 14, 5, 9, 250, 6);
}

TEST(NtpTimestamp, MillisecondTableIsExact) {
    EXPECT_EQ(MillisecondFraction(0), 0u);
    EXPECT_EQ(MillisecondFraction(1), 4294967u);
    EXPECT_EQ(MillisecondFraction(2), 8589935u);
    EXPECT_EQ(MillisecondFraction(500), 2147483648u);
    EXPECT_EQ(MillisecondFraction(999), 4290672329u);
    for (unsigned ms = 0; ms < 1000; ++ms)
        EXPECT_EQ(NtpTimestamp(0, MillisecondFraction(ms)).ToCalendarTime().wMilliseconds, ms);
}

TEST(NtpTimestamp, HalfASecondIsTheTopBit) {
    const NtpTimestamp half = NtpTimestamp::FromCalendarTime(Utc(2011, 1, 1, 0, 0, 0, 500));
    EXPECT_EQ(half.Fraction(), 0x80000000u);
    EXPECT_EQ(half.ToCalendarTime().wMilliseconds, 500);
}

TEST(NtpTimestamp, LastHalfMillisecondCarriesIntoTheNextSecond) {
    ExpectCalendar(NtpTimestamp(0xD0C8ED00u, 0xFFDF3B63u).ToCalendarTime(), 2011, 1, 1, 0, 0, 0,
                   999, 6);
    ExpectCalendar(NtpTimestamp(0xD0C8ED00u, 0xFFDF3B64u).ToCalendarTime(), 2011, 1, 1, 0, 0, 1, 0,
                   6);
    ExpectCalendar(NtpTimestamp(0xD0C8ED00u, 0xFFFFFFFFu).ToCalendarTime(), 2011, 1, 1, 0, 0, 1, 0,
                   6);

    // The carry runs through minutes, hours, days, months and years.
    const NtpTimestamp newYearsEve = NtpTimestamp::FromCalendarTime(Utc(2023, 12, 31, 23, 59, 59));
    ExpectCalendar(NtpTimestamp(newYearsEve.Seconds(), 0xFFFFFFFFu).ToCalendarTime(), 2024, 1, 1, 0,
                   0, 0, 0, 1);
}

TEST(NtpTimestamp, EraEndsIn2036AndLaterTimesWrapTo1900) {
    ExpectCalendar(NtpTimestamp(0xFFFFFFFFu, 0).ToCalendarTime(), 2036, 2, 7, 6, 28, 15, 0, 4);
    const NtpTimestamp wrapped = NtpTimestamp::FromCalendarTime(Utc(2036, 2, 7, 6, 28, 16));
    EXPECT_EQ(wrapped.Seconds(), 0u);
    EXPECT_EQ(wrapped.ToCalendarTime().wYear, 1900);
}

TEST(NtpTimestamp, MillisecondsBeyondTheTableAreCarriedNotIndexed) {
    const NtpTimestamp stamp = NtpTimestamp::FromCalendarTime(Utc(2011, 1, 1, 0, 0, 0, 1250));
    EXPECT_EQ(stamp.Seconds(), 0xD0C8ED01u);
    EXPECT_EQ(stamp.Fraction(), MillisecondFraction(250));
}

TEST(NtpTimestamp, WireFormIsBigEndianSecondsThenFraction) {
    std::uint8_t wire[8] = {};
    NtpTimestamp(0xD0C8ED00u, 0x80000000u).ToWire(wire);
    const std::uint8_t expected[8] = {0xD0, 0xC8, 0xED, 0x00, 0x80, 0x00, 0x00, 0x00};
    EXPECT_EQ(0, memcmp(wire, expected, sizeof wire));
    const NtpTimestamp back = NtpTimestamp::FromWire(wire);
    EXPECT_EQ(back.Seconds(), 0xD0C8ED00u);
    EXPECT_EQ(back.Fraction(), 0x80000000u);
}

TEST(DayNumber, ConversionsAreInverseFrom1900On) {
    EXPECT_EQ(DateToDayNumber(1900, 1, 1), 2415021);
    EXPECT_EQ(DateToDayNumber(2000, 2, 29) + 1, DateToDayNumber(2000, 3, 1));
    EXPECT_EQ(DateToDayNumber(1900, 2, 28) + 1, DateToDayNumber(1900, 3, 1));
    for (long n = 2415021; n < 2415021 + 60000; ++n) {
        long year = 0, month = 0, day = 0;
        DayNumberToDate(n, year, month, day);
        ASSERT_EQ(DateToDayNumber(year, month, day), n) << year << '-' << month << '-' << day;
    }
}

TEST(SntpRequest, IsAClientMessageStampedWithTheGivenTime) {
    const SntpRequest request = BuildSntpRequest(NtpTimestamp(0xD0C8ED00u, 0x80000000u));
    ASSERT_EQ(request.size(), 48u);
    EXPECT_EQ(request[0], 0x1B);
    for (std::size_t i = 1; i < 40; ++i)
        EXPECT_EQ(request[i], 0) << "byte " << i;
    EXPECT_EQ(NtpTimestamp::FromWire(request.data() + 40).Seconds(), 0xD0C8ED00u);
}

TEST(SntpReply, TransmitTimeIsReadFromByte40) {
    SntpReply reply{};
    NtpTimestamp(0xE7A1B2C3u, 0x12345678u).ToWire(reply.data() + 40);
    const NtpTimestamp transmit = TransmitTimestamp(reply);
    EXPECT_EQ(transmit.Seconds(), 0xE7A1B2C3u);
    EXPECT_EQ(transmit.Fraction(), 0x12345678u);
}

TEST(SntpReply, OnlyAWholeSynchronisedServerReplyVouchesForItsTime) {
    struct Case {
        const char* what;
        std::uint8_t first; // leap indicator, version, mode
        std::uint8_t stratum;
        std::size_t received;
        bool vouches;
    };
    const Case cases[] = {
        {"Kiss-o'-Death", 0x24, 0, 48, false},   {"stratum 1", 0x24, 1, 48, true},
        {"stratum 15", 0x24, 15, 48, true},      {"stratum 16", 0x24, 16, 48, false},
        {"stratum 255", 0x24, 255, 48, false},   {"leap indicator 1", 0x64, 2, 48, true},
        {"leap indicator 2", 0xA4, 2, 48, true}, {"alarm", 0xE4, 2, 48, false},
        {"broadcast", 0x25, 2, 48, true},        {"our request reflected", 0x1B, 2, 48, false},
        {"mode 6", 0x26, 2, 48, false},          {"version 1", 0x0C, 2, 48, true},
        {"47 bytes", 0x24, 1, 47, false},        {"with authenticator", 0x24, 1, 68, true},
    };
    for (const Case& c : cases) {
        SntpReply reply{};
        reply[0] = c.first;
        reply[1] = c.stratum;
        reply[3] = 0xEC; // precision, like the reference fields, plays no part
        memcpy(reply.data() + 12, "RATE", 4);
        NtpTimestamp(0xE7A1B2C3u, 0x12345678u).ToWire(reply.data() + 40);
        NtpTimestamp transmit(1, 1);
        EXPECT_EQ(ReadSntpReply(reply, c.received, transmit), c.vouches) << c.what;
        EXPECT_EQ(transmit.Seconds(), c.vouches ? 0xE7A1B2C3u : 1u) << c.what;
        EXPECT_EQ(transmit.Fraction(), c.vouches ? 0x12345678u : 1u) << c.what;
    }
}

TEST(CalendarTime, OnlyRealDatesAndTimesCount) {
    EXPECT_TRUE(IsCalendarTime(Utc(2024, 2, 29, 23, 59, 59, 999)));
    EXPECT_TRUE(IsCalendarTime(Utc(2000, 2, 29, 0, 0, 0)));
    EXPECT_TRUE(IsCalendarTime(Utc(1601, 1, 1, 0, 0, 0)));
    EXPECT_TRUE(IsCalendarTime(Utc(30827, 12, 31, 23, 59, 59, 999)));
    EXPECT_FALSE(IsCalendarTime(Utc(30828, 1, 1, 0, 0, 0)));
    EXPECT_FALSE(IsCalendarTime(Utc(2023, 1, 1, 0, 0, 60)));
    EXPECT_FALSE(IsCalendarTime(Utc(2023, 1, 1, 0, 60, 0)));
    EXPECT_FALSE(IsCalendarTime(Utc(2023, 1, 1, 24, 0, 0)));
    EXPECT_FALSE(IsCalendarTime(Utc(2023, 13, 1, 0, 0, 0)));
    EXPECT_FALSE(IsCalendarTime(Utc(2023, 2, 29, 0, 0, 0)));
    EXPECT_FALSE(IsCalendarTime(Utc(1900, 2, 29, 0, 0, 0)));
    EXPECT_FALSE(IsCalendarTime(Utc(2023, 4, 31, 0, 0, 0)));
    EXPECT_FALSE(IsCalendarTime(Utc(2023, 1, 0, 0, 0, 0)));
    EXPECT_FALSE(IsCalendarTime(Utc(1600, 12, 31, 23, 59, 59)));
    EXPECT_FALSE(IsCalendarTime(Utc(2023, 1, 1, 0, 0, 0, 1000)));
}
