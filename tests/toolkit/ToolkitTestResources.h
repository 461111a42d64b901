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
