// Process entry of the Unicode GUI program.
#include "app/StartUp.h"
#include "platform/LibrarySearch.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    RestrictLibrarySearch();
    return RunChronalign(instance, commandLine);
}
