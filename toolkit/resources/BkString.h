// The string table: the texts the program shows, by numeric id.
#pragma once

#include <string>

// Process-wide, created on first use and never destroyed. One text per id.
class BkString {
public:
    // The stored text, or null when the id has none. The pointer stays valid until the id's
    // text is replaced.
    static const wchar_t* Get(int id);
    // As Get, after turning each backslash-r into a carriage return and then each backslash-n
    // into a line feed. The rewrite is stored, so it happens once.
    static const wchar_t* GetEscaped(int id);
    // Replaces any earlier text of the id.
    static void Set(int id, std::wstring text);
};
