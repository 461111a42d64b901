// Where the process looks for libraries. The program runs with administrator rights and is
// often started from a folder that anyone may write to (Downloads): a library of a system name
// put beside it must never be loaded in place of the system's.
#pragma once

#include "platform/SystemFolder.h"

// Called first thing, before any library is loaded at run time: from then on the process looks
// for libraries in the system folder alone. Without SetDefaultDllDirectories (Windows 7 without
// KB2533623) the program's own folder stays first for bare names: the current directory is left
// out of the search, and the libraries that Windows' own components load by bare name behind
// a program's back are loaded from the system folder by their full paths first, so that those
// later loads find them in memory.
void RestrictLibrarySearch(
    SetDefaultDllDirectoriesFunction setDefaultDirectories = FindSetDefaultDllDirectories());
