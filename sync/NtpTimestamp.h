// NTP timestamps (seconds since 1900 and a 2^-32 fraction) and their calendar conversions.
#pragma once

#include "sync/CalendarTime.h"

#include <cstdint>

class NtpTimestamp {
public:
    NtpTimestamp() = default;
    NtpTimestamp(std::uint32_t seconds, std::uint32_t fraction)
        : m_value(static_cast<std::uint64_t>(seconds) << 32 | fraction) {}

    // The system clock's current UTC time.
    static NtpTimestamp Now();
    // The day of week of the input is ignored; years past 2036 wrap in the seconds word.
    static NtpTimestamp FromCalendarTime(const CalendarTime& utc);
    static NtpTimestamp FromWire(const std::uint8_t* bytes);

    // A fraction that rounds to 1000 milliseconds is carried into the next second, so the
    // result is always a valid calendar time.
    CalendarTime ToCalendarTime() const;
    void ToWire(std::uint8_t* bytes) const;

    std::uint32_t Seconds() const { return static_cast<std::uint32_t>(m_value >> 32); }
    std::uint32_t Fraction() const { return static_cast<std::uint32_t>(m_value); }

private:
    std::uint64_t m_value = 0;
};

// Julian day numbers of Gregorian dates; 1900-01-01 is day 2415021.
long DateToDayNumber(long year, long month, long day);
void DayNumberToDate(long dayNumber, long& year, long& month, long& day);

// Entry i is i * 2^32 / 1000, rounded to nearest.
std::uint32_t MillisecondFraction(unsigned milliseconds);
