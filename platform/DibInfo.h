// The header of a device-independent bitmap, as the DIB calls take it.
#pragma once

#include <windows.h>

// Uncompressed, of the given depth; a negative height runs the rows top-down.
inline BITMAPINFO DibInfo(int width, int height, WORD bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
