// The path of a module's file.
#pragma once

#include <windows.h>

#include <string>

// The full path (null: the executable), or empty when it fails or does not fit in MAX_PATH:
// a cut path would name another file or directory.
std::wstring ModuleFilePath(HMODULE module);
