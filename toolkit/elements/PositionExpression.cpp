#include "toolkit/elements/PositionExpression.h"

#include "toolkit/styles/DisplayScale.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// One item from `text` up to the next comma or the end; returns where it stopped.
const char* ParseItem(const char* text, PositionItem& item) {
    item = PositionItem();
    while (IsBlank(*text))
        ++text;
    if (*text == '|') {
        item.centred = true;
        ++text;
    }
    if (*text == '-') {
        item.fromFarEdge = true;
        ++text;
    }
    uint32_t number = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        number = number * 10 + static_cast<uint32_t>(*text - '0');
    item.offset = static_cast<int32_t>(number);
    while (*text != ',' && *text != '\0')
        ++text;
    return text;
}

} // namespace

int ParsePositionItems(const char* text, PositionItem items[4]) {
    for (int i = 0; i < 4; ++i)
        items[i] = PositionItem();
    if (*text == '\0')
        return 0;
    int count = 0;
    while (count < 4) {
        text = ParseItem(text, items[count++]);
        if (*text != ',')
            break;
        ++text;
    }
    return count;
}

int32_t ResolvePositionItem(const PositionItem& item, int32_t extent, int dpi) {
    const int64_t base = item.centred ? extent / 2 : (item.fromFarEdge ? extent : 0);
    const int64_t scaled = ScaleToDpi64(item.offset, dpi);
    const int64_t offset = item.fromFarEdge ? -scaled : scaled;
    // Wraps instead of overflowing for absurd numbers.
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(base + offset)));
}
