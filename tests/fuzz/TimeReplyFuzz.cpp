// Feeds arbitrary bytes to the daytime reply parser and the SNTP timestamp conversions, as a
// time server could send them, and to the calendar check as any fields.
#include "sync/DaytimeReply.h"
#include "sync/NtpTimestamp.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

// The C library's calendar: a real date and time comes back unchanged from timegm, which
// carries fields out of their ranges, and gmtime.
bool ReferenceIsCalendarTime(const CalendarTime& time) {
    if (time.wYear < 1601 || time.wYear > 30827 || time.wMilliseconds > 999)
        return false;
    std::tm fields{};
    fields.tm_year = time.wYear - 1900;
    fields.tm_mon = time.wMonth - 1;
    fields.tm_mday = time.wDay;
    fields.tm_hour = time.wHour;
    fields.tm_min = time.wMinute;
    fields.tm_sec = time.wSecond;
    const std::time_t seconds = timegm(&fields);
    std::tm back{};
    return gmtime_r(&seconds, &back) != nullptr && back.tm_year == time.wYear - 1900 &&
           back.tm_mon == time.wMonth - 1 && back.tm_mday == time.wDay &&
           back.tm_hour == time.wHour && back.tm_min == time.wMinute && back.tm_sec == time.wSecond;
}

// Any fields at all, straight from the bytes.
void CheckCalendarTime(const std::uint8_t* data, std::size_t size) {
    CalendarTime time{};
    if (size < sizeof time)
        return;
    std::memcpy(&time, data, sizeof time);
    Require(IsCalendarTime(time) == ReferenceIsCalendarTime(time));
}

void CheckDaytime(const std::uint8_t* data, std::size_t size) {
    // As the client sees it: at most 79 bytes, up to the first zero byte.
    char buffer[80] = {};
    std::memcpy(buffer, data, size < 79 ? size : 79);
    const std::string reply(buffer);

    CalendarTime utc{};
    if (ParseDaytimeReply(reply, utc))
        Require(IsCalendarTime(utc) == ReferenceIsCalendarTime(utc));

    std::size_t position = 0;
    for (int fields = 0; position != std::string::npos; ++fields) {
        const std::string field = NextToken(reply, " -:", position);
        Require(field.find_first_of(" -:") == std::string::npos);
        Require(fields <= 80);
    }
}

void CheckTimestamp(const std::uint8_t* data, std::size_t size) {
    if (size < 8)
        return;
    const NtpTimestamp stamp = NtpTimestamp::FromWire(data);
    const CalendarTime time = stamp.ToCalendarTime();
    Require(IsCalendarTime(time));
    Require(time.wDayOfWeek < 7);
    // Back to the same second, or the next one when the fraction rounded up.
    const std::uint32_t back = NtpTimestamp::FromCalendarTime(time).Seconds();
    Require(back == stamp.Seconds() || back == stamp.Seconds() + 1u);
    std::uint8_t wire[8];
    stamp.ToWire(wire);
    Require(std::memcmp(wire, data, 8) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckDaytime(data, size);
    CheckTimestamp(data, size);
    CheckCalendarTime(data, size);
    return 0;
}
