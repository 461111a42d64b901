// Builds elements from the tag names of a layout document.
#pragma once

class CBkWindow;

// A new element of the class whose tag is `tag` (case-sensitive), or null for any other tag.
CBkWindow* CreateElement(const char* tag);
