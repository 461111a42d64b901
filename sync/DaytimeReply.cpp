#include "sync/DaytimeReply.h"

#include <cctype>
#include <cstdint>

std::string NextToken(const std::string& text, const char* separators, std::size_t& position) {
    if (position == std::string::npos)
        return std::string();
    const std::size_t start = text.find_first_not_of(separators, position);
    if (start == std::string::npos) {
        position = std::string::npos;
        return std::string();
    }
    std::size_t end = text.find_first_of(separators, start);
    if (end == std::string::npos)
        end = text.size();
    position = end + 1;
    return text.substr(start, end - start);
}

std::uint16_t ParseDecimal16(const std::string& text, std::size_t& digits) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Unsigned arithmetic wraps instead of overflowing; only the low 16 bits are kept anyway.
    std::uint32_t value = 0;
    digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
    return static_cast<std::uint16_t>(negative ? 0u - value : value);
}

std::uint16_t ParseDecimal16(const std::string& text) {
    std::size_t digits;
    return ParseDecimal16(text, digits);
}

namespace {

// The sixth field of the public servers' format, after the daylight-saving code and the leap
// second flag: 0 healthy, 1 off by up to five seconds, 2 and up off by more or in maintenance.
constexpr std::size_t kHealthField = 5;

// Fields of text split at the separators, as many as the array holds (empty past the end);
// false when one of the first `required` is missing.
template <std::size_t N>
bool Split(const std::string& text, const char* separators, std::string (&fields)[N],
           std::size_t required = N) {
    std::size_t position = 0;
    for (std::size_t i = 0; i < N; ++i) {
        fields[i] = NextToken(text, separators, position);
        if (i < required && fields[i].empty())
            return false;
    }
    return true;
}

// Counts only where the field is one digit, which a line end may follow.
bool ReportsItselfUnhealthy(const std::string& health) {
    return !health.empty() && health[0] >= '2' && health[0] <= '9' &&
           health.find_first_not_of("\r\n", 1) == std::string::npos;
}

} // namespace

bool ParseDaytimeReply(const std::string& reply, CalendarTime& utc) {
    std::string fields[kHealthField + 1], date[3], time[3];
    if (!Split(reply, " ", fields, 3) || !Split(fields[1], "-", date) ||
        !Split(fields[2], ":", time))
        return false;
    std::size_t yearDigits;
    const std::uint16_t year = ParseDecimal16(date[0], yearDigits);
    // A four-digit year would read as 2000 more than it is.
    if (yearDigits > 2 || ReportsItselfUnhealthy(fields[kHealthField]))
        return false;

    utc = CalendarTime{};
    utc.wYear = static_cast<std::uint16_t>(2000 + year);
    utc.wMonth = ParseDecimal16(date[1]);
    utc.wDay = ParseDecimal16(date[2]);
    utc.wHour = ParseDecimal16(time[0]);
    utc.wMinute = ParseDecimal16(time[1]);
    utc.wSecond = ParseDecimal16(time[2]);
    return true;
}
