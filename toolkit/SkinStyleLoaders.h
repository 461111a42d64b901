// Filling the style and skin registries from the style sheet and the skin list.
#pragma once

#include <windows.h>

// Replaces every style class with those of the "style" documents: each <class name="...">,
// the first definition of a name winning. The default class is always there afterwards.
// False when no source has the resource.
bool LoadStyles(WORD id);

// Replaces every skin with those of the "skins" documents: each child element names a skin
// type by its tag and needs a "name"; the first definition of a name wins and unknown tags
// are skipped.
bool LoadSkins(WORD id);
