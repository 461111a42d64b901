// A bitmap holder: one bitmap cut into sub-images of equal width, drawn in one of three modes.
#pragma once

#include <windows.h>

class CBkImage {
public:
    enum BlitMode { kBlitCopy = 0, kBlitColorKey = 1, kBlitAlpha = 2 };

    CBkImage() = default;
    CBkImage(const CBkImage&) = delete;
    CBkImage& operator=(const CBkImage&) = delete;
    virtual ~CBkImage() { Release(); }

    // Holds a bitmap owned elsewhere (an image pool's).
    void Attach(HBITMAP bitmap);
    // Creates and owns a 32-bit bitmap of that size, rows bottom-up, all black.
    bool CreateBitmap(HDC compatible, int width, int height);
    void Release();

    HBITMAP GetBitmap() const { return m_bitmap; }
    SIZE GetBitmapSize() const;
    // The owned bitmap's pixels (BGRA, bottom row first); null for an attached bitmap.
    void* GetBits() const { return m_bits; }

    void SetSubWidth(int width) { m_subWidth = width; }
    int GetSubWidth() const { return m_subWidth; }
    void SetBlitMode(int mode) { m_blitMode = mode; }
    int GetBlitMode() const { return m_blitMode; }
    void SetMaskColor(COLORREF color) { m_maskColor = color; }
    COLORREF GetMaskColor() const { return m_maskColor; }

    // Sub-image `index` at natural size at (x, y); -1 draws the whole bitmap. Without a
    // sub-image width only -1 draws anything.
    bool Draw(HDC dc, int x, int y, int index) const;
    // A part of the bitmap into a target rectangle, stretched when the sizes differ, in the
    // blit mode; the alpha mode draws only unstretched parts.
    bool BlitPart(HDC dc, const RECT& target, const RECT& part) const;
    // The source rectangle of a sub-image; false when the index draws nothing.
    bool SubImagePart(int index, RECT& part) const;

private:
    HBITMAP m_bitmap = nullptr;
    bool m_owned = false;
    void* m_bits = nullptr;
    int m_subWidth = 0;
    int m_blitMode = kBlitCopy;
    COLORREF m_maskColor = RGB(0xFF, 0x00, 0xFF);
};
