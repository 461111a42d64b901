// Feeds arbitrary bytes to the daytime reply parser and the SNTP timestamp conversions, as a
// time server could send them.
#include "sync/DaytimeReply.h"
#include "sync/NtpTimestamp.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

void CheckDaytime(const std::uint8_t* data, std::size_t size) {
    // As the client sees it: at most 79 bytes, up to the first zero byte.
    char buffer[80] = {};
    std::memcpy(buffer, data, size < 79 ? size : 79);
    const std::string reply(buffer);

    CalendarTime utc{};
    if (ParseDaytimeReply(reply, utc))
        IsCalendarTime(utc);

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
    return 0;
}
