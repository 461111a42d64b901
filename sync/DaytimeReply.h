// Reading the date and time out of a daytime-protocol reply; plain C++, no platform calls.
#pragma once

#include "sync/CalendarTime.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Splits text into fields at any of the separators; runs of separators count as one. The
// position starts at 0 and becomes npos ("ended") once no field is left: then the field is empty.
std::string NextToken(const std::string& text, const char* separators, std::size_t& position);

// The decimal prefix of text (leading white space, optional sign, digits), in its low 16 bits;
// 0 without digits. Never overflows, however long the digits run.
std::uint16_t ParseDecimal16(const std::string& text);
// The same, telling how many digits it read.
std::uint16_t ParseDecimal16(const std::string& text, std::size_t& digits);

// The reply holds a first field, the date "YY-MM-DD" and the time "hh:mm:ss", separated by
// spaces, then possibly more. Gives the UTC time (year 2000 + YY, milliseconds 0) as read, with
// no range check; false when a field or part is missing, when the year part has more than two
// digits, and when the reply has the public servers' health field (the sixth) as a digit of 2
// or more: the server itself says its time is off.
bool ParseDaytimeReply(const std::string& reply, CalendarTime& utc);
