// Fills the string table from an XML document among the resources.
#pragma once

#include <windows.h>

// Root "string", entries <s id="decimal">text</s>. Adds or replaces texts; the table is not
// emptied first. False, changing nothing, when the document is missing, malformed or has
// another root.
bool LoadStringTable(WORD id);
