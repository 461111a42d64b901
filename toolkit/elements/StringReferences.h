// "%strN%" references to the string table inside element texts. Free of platform state.
#pragma once

#include <functional>
#include <string>

// Looks a string-table entry up by number; null when there is none.
using StringLookup = std::function<const wchar_t*(int id)>;

// Replaces each "%strN%" by entry N (nothing for an unknown N), left to right; inserted texts
// are not searched again. A number of 0 or less, or a reference without its closing "%", ends
// the substitution there.
std::wstring SubstituteStringReferences(std::wstring text, const StringLookup& lookup);
