// Reading a registry string in the user's display language.
#pragma once

#include <windows.h>

#include <string>

// The value of the open key as RegLoadMUIStringW gives it: a reference "@file,-id" to a string
// resource loads that string in the user's display language, the file always taken from the
// system folder (the program runs elevated, and a file of that name may lie beside it). A text
// of 260 characters or more gives ERROR_MORE_DATA: the display names read this way are far
// shorter. `out` takes the text on success and is left as it was on any failure.
LONG LoadMuiString(HKEY key, const wchar_t* name, std::wstring& out);
