#include "toolkit/styles/BkNotation.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// One colour component: the pair at text[0..1], 0 when either character is missing or no
// hexadecimal digit.
uint32_t ColorPair(const char* text) {
    const int high = HexDigit(text[0]);
    const int low = high < 0 ? -1 : HexDigit(text[1]);
    return low < 0 ? 0 : static_cast<uint32_t>(high * 16 + low);
}

} // namespace

uint32_t ParseHex(const char* text, int maxDigits) {
    uint32_t result = 0;
    for (int used = 0; text[used] != '\0' && used != maxDigits; ++used) {
        const int digit = HexDigit(text[used]);
        if (digit < 0)
            return 0;
        result = result * 16 + static_cast<uint32_t>(digit);
    }
    return result;
}

uint32_t ParseColor(const char* text) {
    uint32_t color = 0;
    for (int component = 0; component < 3; ++component) {
        color |= ColorPair(text) << (8 * component);
        // Stop at the end: a shorter text leaves the remaining components 0.
        if (text[0] == '\0' || text[1] == '\0')
            break;
        text += 2;
    }
    return color;
}

int32_t ParseDecimal(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    uint32_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        magnitude = magnitude * 10 + static_cast<uint32_t>(*text - '0');
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}
