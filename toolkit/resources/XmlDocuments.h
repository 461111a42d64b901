// Walking the XML documents that every source holds for one resource id.
#pragma once

#include <windows.h>

#include <functional>

class TiXmlElement;

// Parses the "xml" resource of that id from every source that has it, in source order, and
// hands each root named `rootName` to `visit`. True when at least one document parsed,
// whatever its root; false when no source has the resource.
bool ForEachDocumentRoot(WORD id, const char* rootName,
                         const std::function<void(const TiXmlElement& root)>& visit);
