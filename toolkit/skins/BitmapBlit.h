// The ways a bitmap is put on a device context: copied, through a key colour, or blended by its
// own per-pixel alpha, straight or premultiplied.
#pragma once

#include <windows.h>

struct BlitSource {
    HBITMAP bitmap;
    RECT part; // in bitmap pixels
};

// Copies the part over the target rectangle, stretched when the sizes differ.
bool StretchCopy(HDC dc, const RECT& target, const BlitSource& source);
// As StretchCopy, leaving pixels of the key colour untouched on the target.
bool BlitColorKey(HDC dc, const RECT& target, const BlitSource& source, COLORREF key);
// Blends a 32-bit bitmap at natural size: target = (source * alpha + target * (255 - alpha)) /
// 255 per channel, alpha being the source pixel's own (not premultiplied). False, drawing
// nothing, for bitmaps of any other depth.
bool BlitAlpha(HDC dc, int x, int y, const BlitSource& source);

// Lays a part of a 32-bit bitmap of premultiplied pixels over the target rectangle, stretched
// when the sizes differ: target = source + target * (255 - alpha) / 255 per channel, alpha too,
// so that a bitmap that starts clear takes the source's alpha.
bool BlendPremultiplied(HDC dc, const RECT& target, const BlitSource& source);

// A copy of the bitmap at another size, each pixel its nearest source pixel's, so that key
// colours and per-pixel alpha stay exact; of 32 bits for a 32-bit bitmap, else of 24. The
// caller owns it; null on failure.
HBITMAP StretchedBitmap(HBITMAP bitmap, SIZE size);

// The size of a bitmap; 0 x 0 for none.
SIZE BitmapSize(HBITMAP bitmap);
