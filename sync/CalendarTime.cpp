#include "sync/CalendarTime.h"

bool IsCalendarTime(const CalendarTime& time) {
    static const unsigned kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (time.wYear < 1601 || time.wYear > 30827 || time.wMonth < 1 || time.wMonth > 12 ||
        time.wHour > 23 || time.wMinute > 59 || time.wSecond > 59 || time.wMilliseconds > 999)
        return false;
    const unsigned year = time.wYear;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const unsigned days = kDaysInMonth[time.wMonth - 1] + (time.wMonth == 2 && leap ? 1 : 0);
    return time.wDay >= 1 && time.wDay <= days;
}
