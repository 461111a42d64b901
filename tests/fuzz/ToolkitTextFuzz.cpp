// Feeds arbitrary text to the toolkit's layout-document notations: position expressions,
// string-table references in element texts, and hexadecimal, colour and decimal numbers.
#include "toolkit/styles/BkNotation.h"
#include "toolkit/elements/PositionExpression.h"
#include "toolkit/elements/StringReferences.h"
#include "toolkit/styles/DisplayScale.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

// The low 32 bits of a run of decimal digits, however long it is: 10^32 is a multiple of
// 2^32, so only the last 32 digits count, read by the C library as two numbers.
uint32_t LowBitsOfDigits(const std::string& digits) {
    const std::string last = digits.size() > 32 ? digits.substr(digits.size() - 32) : digits;
    const std::size_t split = last.size() > 19 ? last.size() - 19 : 0;
    const uint64_t high = std::strtoull(last.substr(0, split).c_str(), nullptr, 10);
    const uint64_t low = std::strtoull(last.substr(split).c_str(), nullptr, 10);
    return static_cast<uint32_t>(high * 10000000000000000000ull + low);
}

// The digits at the start of the text.
std::string LeadingDigits(const std::string& text) {
    return text.substr(0, text.find_first_not_of("0123456789"));
}

// The positions that the text's items give along the extent, read straight from the text in
// 32-bit unsigned arithmetic, apart from the parser and its items.
std::vector<int32_t> ReferencePositions(const std::string& text, int32_t extent) {
    std::vector<int32_t> positions;
    for (std::size_t start = 0; !text.empty() && positions.size() < 4;) {
        const std::size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? comma : comma - start);
        item.erase(0, item.find_first_not_of(" \t"));
        const bool centred = item.rfind('|', 0) == 0;
        item.erase(0, centred ? 1 : 0);
        const bool fromFarEdge = item.rfind('-', 0) == 0;
        item.erase(0, fromFarEdge ? 1 : 0);
        const uint32_t offset = LowBitsOfDigits(LeadingDigits(item));
        const auto base = static_cast<uint32_t>(centred ? extent / 2 : (fromFarEdge ? extent : 0));
        positions.push_back(static_cast<int32_t>(fromFarEdge ? base - offset : base + offset));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return positions;
}

void CheckPosition(const std::string& text, int32_t extent) {
    PositionItem items[4];
    const int count = ParsePositionItems(text.c_str(), items);
    const std::vector<int32_t> expected = ReferencePositions(text, extent);
    Require(static_cast<std::size_t>(count) == expected.size());
    for (int i = 0; i < count; ++i)
        Require(ResolvePositionItem(items[i], extent, kDefaultDpi) ==
                expected[static_cast<std::size_t>(i)]);
    for (int i = count; i < 4; ++i)
        Require(!items[i].centred && !items[i].fromFarEdge && items[i].offset == 0);
}

// Blanks, a sign and digits, as the notation describes them, wrapped to 32 bits.
int32_t ReferenceDecimal(const std::string& text) {
    std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string::npos)
        return 0;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+')
        ++at;
    const uint32_t magnitude = LowBitsOfDigits(LeadingDigits(text.substr(at)));
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

// Entry 2 names itself and entry 4 names entry 2: neither may make the substitution loop.
const wchar_t* Lookup(int id) {
    switch (id) {
    case 1:
        return L"";
    case 2:
        return L"%str2%";
    case 3:
        return L"x";
    case 4:
        return L"[%str2%]";
    case 12:
        return L"The clock was set.";
    default:
        return nullptr;
    }
}

void CheckReferences(const std::string& bytes) {
    const std::wstring text(bytes.begin(), bytes.end());
    const std::wstring result = SubstituteStringReferences(text, Lookup);
    if (text.find(L"%str") == std::wstring::npos)
        Require(result == text);
    // At most kMaxStringReferences substitutions, each giving at most 18 characters.
    Require(result.size() <= text.size() + kMaxStringReferences * 18);
    const std::wstring emptied =
        SubstituteStringReferences(text, [](int id) { return id > 0 ? L"" : nullptr; });
    Require(emptied.size() <= text.size());
}

void CheckNumbers(const std::string& text, int maxDigits) {
    const uint32_t hex = ParseHex(text.c_str(), maxDigits);
    if (maxDigits >= 0 && maxDigits < 8)
        Require(hex < (1u << (4 * maxDigits)));
    Require(ParseColor(text.c_str()) <= 0xFFFFFF);
    Require(ParseDecimal(text.c_str()) == ReferenceDecimal(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first four bytes, when there are more, are an extent to measure positions along.
    int32_t extent = 490;
    if (size > 4) {
        extent = static_cast<int32_t>(static_cast<uint32_t>(data[0]) | data[1] << 8 |
                                      data[2] << 16 | static_cast<uint32_t>(data[3]) << 24);
    }
    // As the XML parser hands attribute values and texts on: up to the first zero byte.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string value = text.substr(0, text.find('\0'));
    CheckPosition(value, extent);
    CheckReferences(value);
    CheckNumbers(value, size > 0 ? static_cast<int>(data[0] % 10) - 1 : -1);
    return 0;
}
