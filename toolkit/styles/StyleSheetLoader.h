// Filling the style registry from the style sheet.
#pragma once

#include <windows.h>

// Replaces every style class with those of the "style" documents: each <class name="...">,
// the first definition of a name winning. The default class is always there afterwards.
// False when no source has the resource.
bool LoadStyles(WORD id);
