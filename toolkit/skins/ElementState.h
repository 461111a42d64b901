// Element state bits, shared by elements, skins and the host view.
#pragma once

#include <windows.h>

constexpr DWORD kStateHover = 1;
constexpr DWORD kStatePushed = 2;
constexpr DWORD kStateChecked = 4;
constexpr DWORD kStateHidden = 8;
constexpr DWORD kStateDisabled = 16;
