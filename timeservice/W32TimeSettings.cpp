#include "timeservice/W32TimeSettings.h"

const std::vector<W32TimeKey>& W32TimeKeys() {
    // Never destroyed: a configuration thread still running at exit reads it.
    static const std::vector<W32TimeKey>* const keys = new std::vector<W32TimeKey>{
        {L"SYSTEM\\CurrentControlSet\\Services\\W32Time\\Config",
         {{L"MaxNegPhaseCorrection", nullptr, 0xFFFFFFFF},
          {L"MaxPosPhaseCorrection", nullptr, 0xFFFFFFFF},
          {L"AnnounceFlags", nullptr, 0xFFFFFFFF}}},
        // Slot "2" of the date-and-time server list holds the vendor's server, and the key's
        // default value makes it the current one.
        {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\DateTime\\Servers",
         {{L"2", L"time.windows.com", 0}, {L"", L"2", 0}}},
        // The trailing blanks belong to these two names: they are created as written, and
        // values of the same name without the blank are left alone.
        {L"SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters",
         {{L"Type", L"NTP", 0},
          {L"GetDcBackoffMinutes ", nullptr, 1},
          {L"GetDcBackoffMaxTimes ", nullptr, 0}}},
        {L"SYSTEM\\CurrentControlSet\\Services\\W32Time\\TimeProviders\\NtpClient",
         {{L"SpecialPollInterval", nullptr, 30}}},
    };
    return *keys;
}
