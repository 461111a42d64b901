#include "toolkit/skins/BitmapBlit.h"

#include "platform/DibInfo.h"
#include "platform/GdiObjects.h"

#include <vector>

namespace {

int Width(const RECT& r) {
    return r.right - r.left;
}

int Height(const RECT& r) {
    return r.bottom - r.top;
}

// The source part's pixels as 32-bit BGRA rows, top row first.
bool ReadPixels(const BlitSource& source, std::vector<RGBQUAD>& pixels) {
    const SIZE size = BitmapSize(source.bitmap);
    BITMAPINFO info = DibInfo(size.cx, -size.cy, 32);
    std::vector<RGBQUAD> whole(static_cast<size_t>(size.cx) * size.cy);
    WindowDC screen;
    if (whole.empty() || ::GetDIBits(screen, source.bitmap, 0, size.cy, whole.data(), &info,
                                     DIB_RGB_COLORS) != size.cy)
        return false;
    pixels.clear();
    for (LONG y = source.part.top; y < source.part.bottom; ++y) {
        const RGBQUAD* row = whole.data() + static_cast<size_t>(y) * size.cx;
        pixels.insert(pixels.end(), row + source.part.left, row + source.part.right);
    }
    return true;
}

// The part clipped to the bitmap; false when nothing of it remains.
bool ClipToBitmap(const BlitSource& source, BlitSource& clipped) {
    const SIZE size = BitmapSize(source.bitmap);
    const RECT bounds{0, 0, size.cx, size.cy};
    clipped.bitmap = source.bitmap;
    return ::IntersectRect(&clipped.part, &source.part, &bounds) != FALSE;
}

} // namespace

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof info, &info) == 0)
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

bool StretchCopy(HDC dc, const RECT& target, const BlitSource& source) {
    MemoryDC memory(dc);
    SelectObjectGuard select(memory, source.bitmap);
    if (Width(target) == Width(source.part) && Height(target) == Height(source.part))
        return ::BitBlt(dc, target.left, target.top, Width(target), Height(target), memory,
                        source.part.left, source.part.top, SRCCOPY) != FALSE;
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    const BOOL drawn = ::StretchBlt(dc, target.left, target.top, Width(target), Height(target),
                                    memory, source.part.left, source.part.top, Width(source.part),
                                    Height(source.part), SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
    return drawn != FALSE;
}

bool BlitColorKey(HDC dc, const RECT& target, const BlitSource& source, COLORREF key) {
    MemoryDC memory(dc);
    SelectObjectGuard select(memory, source.bitmap);
    return ::GdiTransparentBlt(dc, target.left, target.top, Width(target), Height(target), memory,
                               source.part.left, source.part.top, Width(source.part),
                               Height(source.part), key) != FALSE;
}

bool BlendPremultiplied(HDC dc, const RECT& target, const BlitSource& source) {
    MemoryDC memory(dc);
    SelectObjectGuard select(memory, source.bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(dc, target.left, target.top, Width(target), Height(target), memory,
                           source.part.left, source.part.top, Width(source.part),
                           Height(source.part), blend) != FALSE;
}

HBITMAP StretchedBitmap(HBITMAP bitmap, SIZE size) {
    BITMAP info{};
    if (::GetObjectW(bitmap, sizeof info, &info) == 0)
        return nullptr;
    const BITMAPINFO header = DibInfo(size.cx, size.cy, info.bmBitsPixel == 32 ? 32 : 24);
    void* bits = nullptr;
    ScopedGdiObject<HBITMAP> copy(
        ::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy)
        return nullptr;
    MemoryDC memory;
    SelectObjectGuard select(memory, copy.Get());
    if (!StretchCopy(memory, RECT{0, 0, size.cx, size.cy},
                     BlitSource{bitmap, RECT{0, 0, info.bmWidth, info.bmHeight}}))
        return nullptr;
    return copy.Release();
}

bool BlitAlpha(HDC dc, int x, int y, const BlitSource& source) {
    BITMAP info{};
    BlitSource part;
    if (::GetObjectW(source.bitmap, sizeof info, &info) == 0 || info.bmBitsPixel != 32 ||
        !ClipToBitmap(source, part))
        return false;
    std::vector<RGBQUAD> pixels;
    if (!ReadPixels(part, pixels))
        return false;

    // The target area goes through a 24-bit buffer, blended there and copied back.
    const int width = Width(part.part);
    const int height = Height(part.part);
    BITMAPINFO header = DibInfo(width, -height, 24);
    void* bits = nullptr;
    ScopedGdiObject<HBITMAP> buffer(
        ::CreateDIBSection(dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!buffer)
        return false;
    MemoryDC memory(dc);
    SelectObjectGuard select(memory, buffer.Get());
    ::BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
    ::GdiFlush();

    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    for (int row = 0; row < height; ++row) {
        BYTE* target = static_cast<BYTE*>(bits) + row * stride;
        const RGBQUAD* from = pixels.data() + static_cast<size_t>(row) * width;
        for (int column = 0; column < width; ++column, target += 3, ++from) {
            const unsigned alpha = from->rgbReserved;
            const BYTE channels[3] = {from->rgbBlue, from->rgbGreen, from->rgbRed};
            for (int c = 0; c < 3; ++c)
                target[c] =
                    static_cast<BYTE>((channels[c] * alpha + target[c] * (255 - alpha)) / 255);
        }
    }
    return ::BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY) != FALSE;
}
