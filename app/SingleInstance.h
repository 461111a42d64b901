// The one-instance rule: a second start brings the running window forward and ends.
#pragma once

constexpr wchar_t kInstanceMutexName[] = L"TAVEMARK_CHRONALIGN";
constexpr wchar_t kMainWindowCaption[] = L"Tavemark Chronalign";
// The window class of the program's window. The running instance is the window of this class
// with that caption: the caption alone is also that of Explorer's window on the program's
// folder, "Tavemark Chronalign".
constexpr wchar_t kMainWindowClass[] = L"TavemarkChronalignWindow";

// True when this process may go on; it then holds the mutex until ReleaseSingleInstance.
bool CheckSingleInstance();
// Lets a new start run: called once the window is gone, while the process may still be
// finishing work of its own.
void ReleaseSingleInstance();
