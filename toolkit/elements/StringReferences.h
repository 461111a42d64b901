// "%strN%" references to the string table inside element texts. Free of platform state.
#pragma once

#include <functional>
#include <string>

// Looks a string-table entry up by number; null when there is none.
using StringLookup = std::function<const wchar_t*(int id)>;

// Replaces each "%strN%" by entry N (nothing for an unknown N), left to right. After each, the
// search resumes at the index just past the closing "%" as it stood before the replacement:
// inside a longer entry, or past what followed a shorter one. A number of 0 or less, or a
// reference without its closing "%", ends the substitution there, and so does the
// kMaxStringReferences-th one: entries that bring their own reference back would grow the
// text for ever.
constexpr int kMaxStringReferences = 256;
std::wstring SubstituteStringReferences(std::wstring text, const StringLookup& lookup);
