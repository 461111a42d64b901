// A decoded picture: premultiplied 32-bit pixels in a DIB section, rows top-down, ready to be
// laid over a device context with AlphaBlend or, when it is opaque, copied.
#pragma once

#include "platform/GdiObjects.h"

#include <windows.h>

#include <memory>
#include <string>

class BkPicture {
public:
    // Empty: 0 x 0, without a bitmap; draws nothing.
    BkPicture() = default;
    BkPicture(const BkPicture&) = delete;
    BkPicture& operator=(const BkPicture&) = delete;

    // The picture that encoded bytes hold (PNG, JPEG, whatever GDI+ reads); empty when they
    // hold none.
    static std::unique_ptr<BkPicture> Decode(const std::string& bytes);
    // This picture at another size, through a box filter; empty when either size is.
    std::unique_ptr<BkPicture> Resampled(SIZE size) const;
    // This two-tone picture in a face and an ink colour (PictureRecolour.h).
    std::unique_ptr<BkPicture> Recoloured(COLORREF face, COLORREF ink) const;

    SIZE Size() const { return m_size; }
    bool IsEmpty() const { return !m_bitmap; }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }
    // Every pixel's alpha is 255.
    bool IsOpaque() const { return m_opaque; }

private:
    bool Allocate(SIZE size);
    void NoteOpacity();

    ScopedGdiObject<HBITMAP> m_bitmap;
    BYTE* m_bits = nullptr; // BGRA, premultiplied
    SIZE m_size{0, 0};
    bool m_opaque = false;
};

// The size of the picture that encoded bytes hold, read without keeping it; 0 x 0 for none.
SIZE EncodedPictureSize(const std::string& bytes);
