// Libraries and programs only from the system folder. The program runs with administrator
// rights and is often started from a folder that anyone may write to (Downloads): a library or
// program of a system name put beside it must never be loaded or started in its place.
#pragma once

#include <windows.h>

#include <string>

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// kernel32's SetDefaultDllDirectories: present from Windows 8, and on Windows 7 with KB2533623,
// which also taught LoadLibraryEx the LOAD_LIBRARY_SEARCH_* flags; null without.
SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories();

// The system folder as GetSystemDirectoryW gives it, without a final backslash; empty when it
// is unknown.
std::wstring SystemFolder();

// The full path of a file in the system folder; empty when the folder is unknown.
std::wstring SystemFolderPath(const wchar_t* fileName);

// The library of that name from the system folder, its own imports included; null when it is
// missing there.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The same by the library's full path, where the search cannot be restricted: its own imports
// are looked for in the system folder first.
HMODULE LoadSystemLibraryByPath(const wchar_t* name);

// A function of a library from the system folder, which stays loaded for the life of the
// process; null when either is missing. For functions that older systems lack, and for libraries
// that Windows might take from the program's folder if they were imported.
template <typename Function> Function FindSystemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadSystemLibrary(library);
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}
