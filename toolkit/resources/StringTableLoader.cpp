#include "toolkit/resources/StringTableLoader.h"

#include "toolkit/resources/BkResource.h"
#include "toolkit/resources/BkString.h"
#include "toolkit/resources/Utf8.h"

#include <tinyxml.h>

#include <cstdlib>
#include <cstring>
#include <string>

bool LoadStringTable(WORD id) {
    std::string bytes;
    if (!LoadResourceData(id, L"xml", bytes))
        return false;

    TiXmlDocument document;
    document.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* root = document.RootElement();
    if (document.Error() || root == nullptr || std::strcmp(root->Value(), "string") != 0)
        return false;

    for (const TiXmlElement* entry = root->FirstChildElement("s"); entry != nullptr;
         entry = entry->NextSiblingElement("s")) {
        const char* entryId = entry->Attribute("id");
        if (entryId == nullptr)
            continue;
        // Optional sign and digits up to the first other character; none gives 0. Out of
        // range clamps rather than wrapping into some other id.
        const int key = static_cast<int>(std::strtol(entryId, nullptr, 10));
        BkString::Set(key, Utf8ToWide(entry->GetText()));
    }
    return true;
}
