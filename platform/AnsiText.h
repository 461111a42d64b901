// Wide text to the ANSI code page, for the narrow platform calls.
#pragma once

#include <string>

std::string ToAnsi(const wchar_t* text);
