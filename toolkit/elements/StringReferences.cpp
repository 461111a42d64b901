#include "toolkit/elements/StringReferences.h"

#include <cstdint>

namespace {

// An optional sign and digits from `at`; 0 without digits. Wraps rather than overflowing.
int ReadNumber(const std::wstring& text, size_t at) {
    const bool negative = at < text.size() && text[at] == L'-';
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+'))
        ++at;
    uint32_t number = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at)
        number = number * 10 + static_cast<uint32_t>(text[at] - L'0');
    return static_cast<int>(negative ? 0u - number : number);
}

} // namespace

std::wstring SubstituteStringReferences(std::wstring text, const StringLookup& lookup) {
    static const std::wstring kMarker = L"%str";
    size_t from = 0;
    for (int substituted = 0; substituted < kMaxStringReferences; ++substituted) {
        const size_t at = text.find(kMarker, from);
        if (at == std::wstring::npos)
            break;
        const size_t number = at + kMarker.size();
        const int id = ReadNumber(text, number);
        const size_t close = text.find(L'%', number);
        if (id <= 0 || close == std::wstring::npos)
            break;
        const wchar_t* found = lookup(id);
        const std::wstring entry = found != nullptr ? found : L"";
        text.replace(at, close + 1 - at, entry);
        from = close + 1;
    }
    return text;
}
