// The toolkit's number notations: hexadecimal fields, RRGGBB colours and decimal integers.
// Free of platform state so that they can be tested and fuzzed anywhere.
#pragma once

#include <cstdint>

// Up to maxDigits hexadecimal digits (-1: no limit), kept to 32 bits. Any other character
// makes the whole result 0.
uint32_t ParseHex(const char* text, int maxDigits = -1);

// "RRGGBB" as the platform's colour value R + G * 256 + B * 65536. A missing or malformed pair
// gives 0 for its component; characters after the sixth are ignored.
uint32_t ParseColor(const char* text);

// Optional blanks, an optional sign and digits; reading stops at the first other character and
// no digits give 0. Wraps rather than overflowing.
int32_t ParseDecimal(const char* text);

// "none" for a colour: every consumer treats it as not set.
constexpr uint32_t kNoColor = 0xFFFFFFFF;
