// The time texts of the window: calendar times as second counts, formatted by the run-time
// library under the user's regional settings.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The run-time library's name for the user's locale: English language name, "_" and English
// country name when there is one, "." and the system's ANSI code page when there is one
// (for example "English_United States.1252").
std::wstring CrtLocaleName();

// Seconds since 1970-01-01 00:00 UTC of a calendar time whose fields are read as local time,
// daylight saving found by the library; milliseconds dropped; 0 before 1900.
int64_t SecondCount(const SYSTEMTIME& time);

// The count as local time in the format (strftime's); empty when conversion or formatting
// fails.
std::wstring FormatSecondCount(int64_t seconds, const wchar_t* format);

// "%x %X": the locale's date and time.
std::wstring FormatDateTime(const SYSTEMTIME& time);
