// Reading a registry string value in growing buffers, apart from the key that holds it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The first buffer for names and string values, in characters.
constexpr DWORD kRegBufferChars = 260;

// One read of the value: at most *byteSize bytes into data; sets *byteSize and *type as
// RegQueryValueExW does.
using RegValueRead = std::function<LONG(BYTE* data, DWORD* byteSize, DWORD* type)>;

// Reads with a 260-character buffer and, while the value does not fit, again with 260, 520,
// 780... characters. Only a REG_SZ or REG_EXPAND_SZ of whole characters ending in NUL (or
// empty) is text; anything else gives ERROR_INVALID_DATA. `out` takes the text up to its
// first NUL on success and is left as it was on any failure.
LONG ReadRegString(const RegValueRead& read, std::wstring& out);
