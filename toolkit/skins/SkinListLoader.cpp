#include "toolkit/skins/SkinListLoader.h"

#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/resources/XmlDocuments.h"

#include <tinyxml.h>

bool LoadSkins(WORD id) {
    BkSkinPool& pool = BkSkinPool::Instance();
    pool.Clear();
    return ForEachDocumentRoot(id, "skins", [&pool](const TiXmlElement& root) {
        for (const TiXmlElement* entry = root.FirstChildElement(); entry != nullptr;
             entry = entry->NextSiblingElement()) {
            const char* name = entry->Attribute("name");
            if (name == nullptr || pool.Find(name) != nullptr)
                continue;
            std::unique_ptr<CBkSkinBase> skin = CreateSkin(entry->Value());
            if (skin == nullptr)
                continue;
            skin->Load(entry);
            pool.Add(name, std::move(skin));
        }
    });
}
