#include "toolkit/styles/BkObject.h"

#include <tinyxml.h>

bool CBkObject::Load(const TiXmlElement* element) {
    for (const TiXmlAttribute* attribute = element->FirstAttribute(); attribute != nullptr;
         attribute = attribute->Next())
        SetAttribute(attribute->Name(), attribute->Value(), true);
    return true;
}

HRESULT CBkObject::SetAttribute(const std::string&, const std::string&, bool) {
    return E_FAIL;
}
