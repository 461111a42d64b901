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

std::uint16_t ParseDecimal16(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Unsigned arithmetic wraps instead of overflowing; only the low 16 bits are kept anyway.
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
    return static_cast<std::uint16_t>(negative ? 0u - value : value);
}

namespace {

// Three fields of text split at the separators; false when one of them is missing.
bool SplitThree(const std::string& text, const char* separators, std::string (&fields)[3]) {
    std::size_t position = 0;
    for (std::string& field : fields) {
        field = NextToken(text, separators, position);
        if (field.empty())
            return false;
    }
    return true;
}

} // namespace

bool ParseDaytimeReply(const std::string& reply, CalendarTime& utc) {
    std::string fields[3], date[3], time[3];
    if (!SplitThree(reply, " ", fields) || !SplitThree(fields[1], "-", date) ||
        !SplitThree(fields[2], ":", time))
        return false;

    utc = CalendarTime{};
    utc.wYear = static_cast<std::uint16_t>(2000 + ParseDecimal16(date[0]));
    utc.wMonth = ParseDecimal16(date[1]);
    utc.wDay = ParseDecimal16(date[2]);
    utc.wHour = ParseDecimal16(time[0]);
    utc.wMinute = ParseDecimal16(time[1]);
    utc.wSecond = ParseDecimal16(time[2]);
    return true;
}
