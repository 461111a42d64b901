// The message map of an element class: the same notation as for windows, defining the
// element's HandleMessage. A class chains to its base class with BK_CHAIN_MSG_MAP.
#pragma once

#include "platform/MessageMap.h"

#define BK_BEGIN_MSG_MAP()                                                                         \
public:                                                                                            \
    virtual BOOL HandleMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,                 \
                               LRESULT& lResult) {                                                 \
        (void)hWnd;                                                                                \
        (void)wParam;                                                                              \
        (void)lParam;

#define BK_CHAIN_MSG_MAP(theBaseClass)                                                             \
    if (theBaseClass::HandleMessage(hWnd, uMsg, wParam, lParam, lResult))                          \
        return TRUE;

#define BK_END_MSG_MAP() END_MSG_MAP()
