// Ids of the test documents, shared by the resource scripts and the tests.
#pragma once

#include "res/resource.h"

#define IDR_STRING_CASES 100
#define IDR_STRINGS_FIRST 101
#define IDR_STRINGS_AGAIN 102
#define IDR_STRINGS_MALFORMED 103
#define IDR_STRINGS_WRONG_ROOT 104
#define IDR_STRINGS_ROOT_CASE 105
#define IDR_IN_PROGRAM_AND_MODULE 110
#define IDR_ONLY_IN_MODULE 111
#define IDR_EMPTY 112
#define IDR_NOWHERE 199

// Skins and styles, with the images they draw (made at build time by make-test-images.py).
#define IDR_TEST_SKINS 120
#define IDR_TEST_STYLES 121
#define IDR_TEST_STYLES_AGAIN 122
#define IDP_STATES4 501
#define IDP_STATES3 502
#define IDP_STRIP 503
#define IDP_HALF_CLEAR 504
#define IDP_BUTTONS 505
#define IDP_SETS 506
#define IDJ_STATES4 511
#define IDB_LIST 601
#define IDB_ALPHA 602
#define IDB_FRAME 603
#define IDB_HORZ 604
#define IDI_RED 701
#define IDR_ELEMENT_STYLES 123

// The frame tests' layout documents and style sheet.
#define IDR_FRAME_LAYOUT 130
#define IDR_FRAME_NO_HEADER 131
#define IDR_FRAME_STYLES 132
#define IDR_ACCESS_LAYOUT 133

// The demonstration window's layout, style sheet and extra skins.
#define IDR_DEMO_LAYOUT 150
#define IDR_DEMO_STYLES 151
