// The one platform call of the timestamp type, kept apart so the conversions build anywhere.
#include "sync/NtpTimestamp.h"

NtpTimestamp NtpTimestamp::Now() {
    SYSTEMTIME utc;
    ::GetSystemTime(&utc);
    return FromCalendarTime(utc);
}
