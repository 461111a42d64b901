// The broken-down UTC time of the platform, usable by the pure conversions off Windows too.
#pragma once

#ifdef _WIN32
#include <windows.h>
using CalendarTime = SYSTEMTIME;
#else
#include <cstdint>
// Same fields, order and widths as the platform's SYSTEMTIME.
struct CalendarTime {
    std::uint16_t wYear;
    std::uint16_t wMonth;
    std::uint16_t wDayOfWeek;
    std::uint16_t wDay;
    std::uint16_t wHour;
    std::uint16_t wMinute;
    std::uint16_t wSecond;
    std::uint16_t wMilliseconds;
};
#endif

// True for a real date and time that a file time can hold (years 1601 to 30827); the day of
// week is not looked at.
bool IsCalendarTime(const CalendarTime& time);
