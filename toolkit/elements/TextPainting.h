// Drawing element texts: the default face's vertical adjustment and the three ways of drawing
// (GDI+, shadowed, plain).
#pragma once

#include <windows.h>

#include <string>

class BkStyle;

// YaHei sits high in its cell: with it as the default face the text rectangle moves for the
// font selected in `dc`. Nothing happens for other faces.
void AdjustForDefaultFace(HDC dc, RECT& rect, UINT format);
// The image buttons' caption variant: moved the same way, then made at least one line tall.
void AdjustCaptionForDefaultFace(HDC dc, RECT& rect, UINT format);

// The text as DrawText shows it without DT_NOPREFIX: "&&" is one "&", and an "&" before
// another character only underlines it.
std::wstring WithoutPrefixes(const std::wstring& text);

// Draws the text with the device context's font and text colour: through GDI+ when the style
// says "gdiplus", else shadowed when it says "shadow" (plain text when the system cannot), else
// plainly.
void PaintText(HDC dc, const std::wstring& text, RECT rect, UINT format, const BkStyle& style);
