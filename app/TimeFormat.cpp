#include "app/TimeFormat.h"

#include <ctime>
#include <cwchar>

namespace {

std::wstring LocaleValue(LCID locale, LCTYPE type) {
    wchar_t value[1024] = L"";
    ::GetLocaleInfoW(locale, type, value, 1024);
    return value;
}

} // namespace

std::wstring CrtLocaleName() {
    std::wstring name = LocaleValue(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE);
    const std::wstring country = LocaleValue(LOCALE_USER_DEFAULT, LOCALE_SENGCOUNTRY);
    if (!country.empty())
        name += L"_" + country;
    const std::wstring codePage = LocaleValue(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE);
    if (!codePage.empty())
        name += L"." + codePage;
    return name;
}

int64_t SecondCount(const SYSTEMTIME& time) {
    if (time.wYear < 1900)
        return 0;
    std::tm fields{};
    fields.tm_year = time.wYear - 1900;
    fields.tm_mon = time.wMonth - 1;
    fields.tm_mday = time.wDay;
    fields.tm_hour = time.wHour;
    fields.tm_min = time.wMinute;
    fields.tm_sec = time.wSecond;
    fields.tm_isdst = -1;
    return _mktime64(&fields);
}

std::wstring FormatSecondCount(int64_t seconds, const wchar_t* format) {
    const __time64_t count = seconds;
    std::tm fields{};
    if (_localtime64_s(&fields, &count) != 0)
        return std::wstring();
    wchar_t text[128];
    const size_t length = std::wcsftime(text, 128, format, &fields);
    return std::wstring(text, length);
}

std::wstring FormatDateTime(const SYSTEMTIME& time) {
    return FormatSecondCount(SecondCount(time), L"%x %X");
}
