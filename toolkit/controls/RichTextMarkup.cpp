#include "toolkit/controls/RichTextMarkup.h"

#include "toolkit/styles/BkNotation.h"
#include "toolkit/resources/Utf8.h"

#include <tinyxml.h>

namespace {

struct Format {
    WORD fontBits;
    COLORREF color;
};

bool TagIs(const TiXmlElement& element, const char* tag) {
    const char* name = element.Value();
    for (; *name != '\0' && *tag != '\0'; ++name, ++tag) {
        const char lower =
            *name >= 'A' && *name <= 'Z' ? static_cast<char>(*name - 'A' + 'a') : *name;
        if (lower != *tag)
            return false;
    }
    return *name == *tag;
}

int IntegerAttribute(const TiXmlElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value != nullptr ? ParseDecimal(value) : 0;
}

// All the text below a node, in document order.
std::string TextBelow(const TiXmlNode& node) {
    std::string text;
    for (const TiXmlNode* child = node.FirstChild(); child != nullptr; child = child->NextSibling())
        text += child->ToText() != nullptr ? std::string(child->Value()) : TextBelow(*child);
    return text;
}

void Collect(const TiXmlNode& node, Format format, std::vector<RichTextRun>& runs) {
    for (const TiXmlNode* child = node.FirstChild(); child != nullptr;
         child = child->NextSibling()) {
        if (child->ToText() != nullptr) {
            runs.push_back(
                {RichTextRun::kText, Utf8ToWide(child->Value()), format.fontBits, format.color, 0});
            continue;
        }
        const TiXmlElement* element = child->ToElement();
        if (element == nullptr)
            continue;
        if (TagIs(*element, "a")) {
            runs.push_back({RichTextRun::kLink, Utf8ToWide(TextBelow(*element).c_str()),
                            format.fontBits, format.color, IntegerAttribute(*element, "id")});
            continue;
        }
        Format inner = format;
        if (TagIs(*element, "br")) {
            runs.push_back({RichTextRun::kBreak, L"", 0, CLR_INVALID, 0});
        } else if (TagIs(*element, "o")) {
            runs.push_back(
                {RichTextRun::kOffset, L"", 0, CLR_INVALID, IntegerAttribute(*element, "offset")});
        } else if (TagIs(*element, "b")) {
            inner.fontBits |= 4;
        } else if (TagIs(*element, "i")) {
            inner.fontBits |= 1;
        } else if (TagIs(*element, "u")) {
            inner.fontBits |= 2;
        } else if (TagIs(*element, "c")) {
            if (const char* color = element->Attribute("color"))
                inner.color = ParseColor(color);
        }
        Collect(*element, inner, runs);
    }
}

} // namespace

std::vector<RichTextRun> ParseRichText(const TiXmlNode& content) {
    std::vector<RichTextRun> runs;
    Collect(content, Format{0, CLR_INVALID}, runs);
    return runs;
}
