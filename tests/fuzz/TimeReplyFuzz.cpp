// Feeds arbitrary bytes to the daytime reply parser, the SNTP reply reading and timestamp
// conversions, as a time server could send them, and to the calendar check as any fields.
#include "sync/DaytimeReply.h"
#include "sync/NtpTimestamp.h"
#include "sync/SntpMessage.h"

#include <bitset>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

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

// The non-empty pieces of text between separators, by the stream library.
std::vector<std::string> Pieces(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::istringstream stream(text);
    for (std::string piece; std::getline(stream, piece, separator);)
        if (!piece.empty())
            pieces.push_back(piece);
    return pieces;
}

// How many digits the decimal rule reads: those right after white space and a sign.
std::size_t DigitsRead(const std::string& part) {
    const char* at = part.c_str();
    at += std::strspn(at, " \t\n\v\f\r");
    if (*at == '+' || *at == '-')
        ++at;
    return std::strspn(at, "0123456789");
}

// The sixth word, without the line end after it, is a single digit of 2 to 9.
bool SaysItIsUnhealthy(const std::vector<std::string>& words) {
    if (words.size() < 6)
        return false;
    std::string health = words[5];
    while (!health.empty() && (health.back() == '\n' || health.back() == '\r'))
        health.pop_back();
    return health.size() == 1 && std::isdigit(static_cast<unsigned char>(health[0])) &&
           health[0] >= '2';
}

// The reply's year when it vouches for its time: three words, a date and a time of three
// pieces each, a year of at most two digits, no unhealthy server. -1 otherwise.
long ReferenceDaytimeYear(const std::string& reply) {
    const std::vector<std::string> words = Pieces(reply, ' ');
    if (words.size() < 3)
        return -1;
    const std::vector<std::string> date = Pieces(words[1], '-');
    if (date.size() < 3 || Pieces(words[2], ':').size() < 3 || DigitsRead(date[0]) > 2 ||
        SaysItIsUnhealthy(words))
        return -1;
    return (2000 + std::strtol(date[0].c_str(), nullptr, 10)) & 0xFFFF;
}

void CheckDaytime(const std::uint8_t* data, std::size_t size) {
    // As the client sees it: at most 79 bytes, up to the first zero byte.
    char buffer[80] = {};
    std::memcpy(buffer, data, size < 79 ? size : 79);
    const std::string reply(buffer);

    CalendarTime utc{};
    const bool parsed = ParseDaytimeReply(reply, utc);
    const long year = ReferenceDaytimeYear(reply);
    Require(parsed == (year >= 0));
    if (parsed) {
        Require(utc.wYear == year);
        Require(IsCalendarTime(utc) == ReferenceIsCalendarTime(utc));
    }

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

// Whether a reply of that many bytes vouches for its time, read bit by bit: a whole message, no
// alarm (both leap bits set), mode 4 or 5, stratum 1 to 15.
bool ReferenceVouches(const std::uint8_t* data, std::size_t size) {
    if (size < 48)
        return false;
    const std::bitset<8> first(data[0]);
    const bool alarm = first.test(7) && first.test(6);
    const unsigned mode = data[0] % 8;
    return !alarm && (mode == 4 || mode == 5) && data[1] >= 1 && data[1] <= 15;
}

void CheckSntpReply(const std::uint8_t* data, std::size_t size) {
    // A longer datagram fails the receive itself.
    if (size > kSntpReplyCapacity)
        return;
    SntpReply reply{};
    std::memcpy(reply.data(), data, size);
    NtpTimestamp transmit(1, 2);
    const bool read = ReadSntpReply(reply, size, transmit);
    Require(read == ReferenceVouches(data, size));
    std::uint64_t expected = 0x0000000100000002u;
    if (read) {
        expected = 0;
        for (std::size_t i = 40; i < 48; ++i)
            expected = expected << 8 | data[i];
    }
    Require(transmit.Seconds() == expected >> 32 &&
            transmit.Fraction() == static_cast<std::uint32_t>(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckDaytime(data, size);
    CheckTimestamp(data, size);
    CheckSntpReply(data, size);
    CheckCalendarTime(data, size);
    return 0;
}
