// Wide text to the ANSI code page, for the narrow platform calls.
#pragma once

#include <string>

// Characters the code page lacks get the platform's best-fit replacement.
std::string ToAnsi(const wchar_t* text);

// Exact or nothing: false when a character has no exact counterpart (in UTF-8 an unpaired
// surrogate has none). For paths, where a best-fit replacement ("a" for "ā") could name
// another, existing directory.
bool ToAnsiExactly(const std::wstring& text, std::string& ansi);
