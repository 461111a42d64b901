// Process entry of the Unicode GUI program.
#include "app/StartUp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    return RunChronalign(instance, commandLine);
}
