// Resource ids shared by the resource script and the code.
#pragma once

#define IDI_CHRONALIGN 107

// Pictures of the skins, of type "PNG", at 100 % (96 DPI). The build draws each one at 125, 150,
// 175 and 200 % too (DPI 120, 144, 168, 192) under the id plus 1, 2, 3 and 4 times
// IDB_SCALE_STEP (the header at 150 %: 2300); the image pools take the set of the display's
// scale by that rule.
#define IDB_SCALE_STEP 1000
#define IDB_HEADER 300
#define IDB_BANNER 301
#define IDB_FOOTER 302
#define IDB_MINIMISE 303
#define IDB_CLOSE 304
#define IDB_LOGO 305
#define IDB_SYNC 306
#define IDB_SHADOW 900
// Two-tone pictures drawn in place of the marks of the buttons and the logo under a
// high-contrast theme (white the ink, black the face), at the same scales.
#define IDB_HC_MINIMISE 310
#define IDB_HC_CLOSE 311
#define IDB_HC_LOGO 312
#define IDB_HC_SYNC 313

// XML documents, of type "XML".
#define IDR_MAIN_LAYOUT 200
#define IDR_SKIN_LIST 60000
#define IDR_STYLE_SHEET 60001
#define IDR_STRING_TABLE 60002
