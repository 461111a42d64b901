#include "toolkit/resources/XmlDocuments.h"

#include "toolkit/resources/BkResource.h"

#include <tinyxml.h>

#include <cstring>
#include <string>
#include <vector>

bool ForEachDocumentRoot(WORD id, const char* rootName,
                         const std::function<void(const TiXmlElement& root)>& visit) {
    std::vector<std::string> documents;
    if (!LoadResourceDataAll(id, L"xml", documents))
        return false;
    bool anyParsed = false;
    for (const std::string& text : documents) {
        TiXmlDocument document;
        document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
        if (document.Error())
            continue;
        anyParsed = true;
        const TiXmlElement* root = document.RootElement();
        if (root != nullptr && std::strcmp(root->Value(), rootName) == 0)
            visit(*root);
    }
    return anyParsed;
}
