// Resource ids shared by the resource script and the code.
#pragma once

#define IDI_CHRONALIGN 107

// XML documents, of type "XML".
#define IDR_SKIN_LIST 60000
#define IDR_STYLE_SHEET 60001
#define IDR_STRING_TABLE 60002
