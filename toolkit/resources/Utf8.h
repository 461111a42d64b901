// Conversion of the XML parser's UTF-8 text to the platform's UTF-16.
#pragma once

#include <string>

// Null gives the empty text; invalid sequences become U+FFFD.
std::wstring Utf8ToWide(const char* text);
