// The mark of a check box or a radio button in the system's look: the visual theme's when the
// system has one, else the classic frame control.
#pragma once

#include <windows.h>

enum class ButtonMark { kCheckBox, kRadio };

// Draws the mark into the box for the element state bits (hover, pushed, checked, disabled).
// The theme library is looked up at each call: older systems lack it, and themes come and go.
void DrawButtonMark(HWND window, HDC dc, const RECT& box, ButtonMark mark, DWORD state);
