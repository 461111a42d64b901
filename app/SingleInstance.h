// The one-instance rule: a second start brings the running window forward and ends.
#pragma once

constexpr wchar_t kInstanceMutexName[] = L"TAVEMARK_CHRONALIGN";
constexpr wchar_t kMainWindowCaption[] = L"Tavemark Chronalign";

// True when this process may go on. The mutex is kept for the life of the process.
bool CheckSingleInstance();
