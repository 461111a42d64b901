// Filling the skin registry from the skin list.
#pragma once

#include <windows.h>

// Replaces every skin with those of the "skins" documents: each child element names a skin
// type by its tag and needs a "name"; the first definition of a name wins and unknown tags
// are skipped.
bool LoadSkins(WORD id);
