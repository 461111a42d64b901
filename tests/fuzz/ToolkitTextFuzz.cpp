// Feeds arbitrary text to the toolkit's layout-document notations: position expressions,
// string-table references in element texts, and hexadecimal, colour and decimal numbers.
#include "toolkit/BkNotation.h"
#include "toolkit/PositionExpression.h"
#include "toolkit/StringReferences.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

void CheckPosition(const std::string& text, int32_t extent) {
    PositionItem items[4];
    const int count = ParsePositionItems(text.c_str(), items);
    // At most four comma-separated items; anything after a fourth comma is ignored.
    const auto commas = static_cast<int>(std::count(text.begin(), text.end(), ','));
    Require(count == (text.empty() ? 0 : std::min(commas + 1, 4)));
    for (int i = count; i < 4; ++i)
        Require(!items[i].centred && !items[i].fromFarEdge && items[i].offset == 0);
    for (int i = 0; i < count; ++i) {
        const PositionItem& item = items[i];
        const int64_t base = item.centred ? extent / 2 : (item.fromFarEdge ? extent : 0);
        const int64_t expected = item.fromFarEdge ? base - item.offset : base + item.offset;
        Require(ResolvePositionItem(item, extent) ==
                static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(expected))));
    }
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
    // Each reference takes at least six characters and gives at most 18.
    Require(result.size() <= text.size() + text.size() / 6 * 18);
    const std::wstring emptied =
        SubstituteStringReferences(text, [](int id) { return id > 0 ? L"" : nullptr; });
    Require(emptied.size() <= text.size());
}

void CheckNumbers(const std::string& text, int maxDigits) {
    const uint32_t hex = ParseHex(text.c_str(), maxDigits);
    if (maxDigits >= 0 && maxDigits < 8)
        Require(hex < (1u << (4 * maxDigits)));
    Require(ParseColor(text.c_str()) <= 0xFFFFFF);
    ParseDecimal(text.c_str());
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
