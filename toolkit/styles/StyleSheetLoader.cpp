#include "toolkit/styles/StyleSheetLoader.h"

#include "toolkit/styles/BkStyle.h"
#include "toolkit/resources/XmlDocuments.h"

#include <tinyxml.h>

bool LoadStyles(WORD id) {
    BkStylePool& pool = BkStylePool::Instance();
    pool.Reset();
    return ForEachDocumentRoot(id, "style", [&pool](const TiXmlElement& root) {
        for (const TiXmlElement* entry = root.FirstChildElement("class"); entry != nullptr;
             entry = entry->NextSiblingElement("class")) {
            const char* name = entry->Attribute("name");
            BkStyle* style = nullptr;
            if (name != nullptr && pool.Add(name, style))
                style->Load(entry);
        }
    });
}
