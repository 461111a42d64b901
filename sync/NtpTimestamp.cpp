#include "sync/NtpTimestamp.h"

#include <array>

namespace {

constexpr std::int64_t kDayNumber1900 = 2415021;
// 1000 / (2^32 - 1): the reading direction divides by 2^32 - 1, unlike the table.
constexpr double kFractionToMilliseconds = 2.3283064370807974e-07;

constexpr std::array<std::uint32_t, 1000> MakeMillisecondTable() {
    std::array<std::uint32_t, 1000> table{};
    for (std::uint64_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<std::uint32_t>(((i << 32) + 500) / 1000);
    return table;
}

constexpr std::array<std::uint32_t, 1000> kMillisecondTable = MakeMillisecondTable();

std::uint32_t ReadBigEndian32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

void WriteBigEndian32(std::uint32_t value, std::uint8_t* bytes) {
    bytes[0] = static_cast<std::uint8_t>(value >> 24);
    bytes[1] = static_cast<std::uint8_t>(value >> 16);
    bytes[2] = static_cast<std::uint8_t>(value >> 8);
    bytes[3] = static_cast<std::uint8_t>(value);
}

} // namespace

long DateToDayNumber(long year, long month, long day) {
    std::int64_t y = year, m = month;
    if (m > 2) {
        m -= 3;
    } else {
        m += 9;
        y -= 1;
    }
    const std::int64_t century = y / 100;
    const std::int64_t rest = y - 100 * century;
    return static_cast<long>((146097 * century) / 4 + (1461 * rest) / 4 + (153 * m + 2) / 5 + day +
                             1721119);
}

void DayNumberToDate(long dayNumber, long& year, long& month, long& day) {
    std::int64_t j = static_cast<std::int64_t>(dayNumber) - 1721119;
    std::int64_t y = (4 * j - 1) / 146097;
    j = 4 * j - 1 - 146097 * y;
    std::int64_t d = j / 4;
    j = (4 * d + 3) / 1461;
    d = 4 * d + 3 - 1461 * j;
    d = (d + 4) / 4;
    std::int64_t m = (5 * d - 3) / 153;
    d = 5 * d - 3 - 153 * m;
    d = (d + 5) / 5;
    y = 100 * y + j;
    if (m < 10) {
        m += 3;
    } else {
        m -= 9;
        y += 1;
    }
    year = static_cast<long>(y);
    month = static_cast<long>(m);
    day = static_cast<long>(d);
}

std::uint32_t MillisecondFraction(unsigned milliseconds) {
    return kMillisecondTable[milliseconds % kMillisecondTable.size()];
}

NtpTimestamp NtpTimestamp::FromCalendarTime(const CalendarTime& utc) {
    const std::int64_t days = DateToDayNumber(utc.wYear, utc.wMonth, utc.wDay) - kDayNumber1900;
    // Out-of-range milliseconds are carried as whole seconds rather than indexing past the table.
    const std::int64_t seconds =
        ((days * 24 + utc.wHour) * 60 + utc.wMinute) * 60 + utc.wSecond + utc.wMilliseconds / 1000;
    return NtpTimestamp(static_cast<std::uint32_t>(seconds),
                        MillisecondFraction(utc.wMilliseconds));
}

CalendarTime NtpTimestamp::ToCalendarTime() const {
    std::uint32_t s = Seconds();
    auto milliseconds = static_cast<unsigned>(Fraction() * kFractionToMilliseconds + 0.5);
    if (milliseconds == 1000) {
        // The last half millisecond of a second rounds up into the next one; past the end of
        // the era this wraps to 1900 like every other seconds word.
        milliseconds = 0;
        ++s;
    }

    CalendarTime time{};
    time.wMilliseconds = static_cast<std::uint16_t>(milliseconds);
    time.wSecond = static_cast<std::uint16_t>(s % 60);
    s /= 60;
    time.wMinute = static_cast<std::uint16_t>(s % 60);
    s /= 60;
    time.wHour = static_cast<std::uint16_t>(s % 24);
    const long dayNumber = static_cast<long>(s / 24 + kDayNumber1900);
    time.wDayOfWeek = static_cast<std::uint16_t>((dayNumber + 1) % 7);
    long year = 0, month = 0, day = 0;
    DayNumberToDate(dayNumber, year, month, day);
    time.wYear = static_cast<std::uint16_t>(year);
    time.wMonth = static_cast<std::uint16_t>(month);
    time.wDay = static_cast<std::uint16_t>(day);
    return time;
}

NtpTimestamp NtpTimestamp::FromWire(const std::uint8_t* bytes) {
    return NtpTimestamp(ReadBigEndian32(bytes), ReadBigEndian32(bytes + 4));
}

void NtpTimestamp::ToWire(std::uint8_t* bytes) const {
    WriteBigEndian32(Seconds(), bytes);
    WriteBigEndian32(Fraction(), bytes + 4);
}
