#include "toolkit/skins/BkPicture.h"

#include "platform/ComPtr.h"
#include "platform/DibInfo.h"
#include "platform/GdiplusSession.h"
#include "toolkit/skins/PngDecoder.h"
#include "toolkit/skins/PictureRecolour.h"
#include "toolkit/skins/PictureResample.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

namespace {

// GDI+'s reading of encoded bytes, from a memory stream over a copy of them that the stream
// frees with its last reference (the bitmap holds one). Null when no stream could be made.
std::unique_ptr<Gdiplus::Bitmap> OpenEncoded(const std::string& bytes) {
    if (bytes.empty())
        return nullptr;
    EnsureGdiplusStarted();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (block == nullptr)
        return nullptr;
    if (void* data = ::GlobalLock(block)) {
        std::memcpy(data, bytes.data(), bytes.size());
        ::GlobalUnlock(block);
    }
    IStream* opened = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &opened))) {
        ::GlobalFree(block);
        return nullptr;
    }
    ComPtr<IStream> stream(opened);
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream.Get());
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    return bitmap;
}

SIZE SizeOf(Gdiplus::Bitmap& bitmap) {
    return SIZE{static_cast<LONG>(bitmap.GetWidth()), static_cast<LONG>(bitmap.GetHeight())};
}

PngDecoder Png(const std::string& bytes) {
    return PngDecoder(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

std::unique_ptr<BkPicture> BkPicture::Decode(const std::string& bytes) {
    auto picture = std::make_unique<BkPicture>();
    const PngDecoder png = Png(bytes);
    if (png.Header() == PngDecoder::Result::kDecoded &&
        picture->Allocate(SIZE{static_cast<LONG>(png.Width()), static_cast<LONG>(png.Height())}) &&
        png.Decode(picture->m_bits) == PngDecoder::Result::kDecoded) {
        picture->NoteOpacity();
        return picture;
    }
    // Other formats, and PNGs that the toolkit does not read itself, the system decodes.
    const auto decoded = OpenEncoded(bytes);
    if (!decoded || !picture->Allocate(SizeOf(*decoded)))
        return picture;
    // GDI+ converts straight into the DIB section's pixels.
    Gdiplus::BitmapData pixels{};
    pixels.Width = static_cast<UINT>(picture->m_size.cx);
    pixels.Height = static_cast<UINT>(picture->m_size.cy);
    pixels.Stride = picture->m_size.cx * 4;
    pixels.PixelFormat = PixelFormat32bppPARGB;
    pixels.Scan0 = picture->m_bits;
    Gdiplus::Rect whole(0, 0, picture->m_size.cx, picture->m_size.cy);
    if (decoded->LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                          PixelFormat32bppPARGB, &pixels) != Gdiplus::Ok)
        return std::make_unique<BkPicture>();
    decoded->UnlockBits(&pixels);
    picture->NoteOpacity();
    return picture;
}

std::unique_ptr<BkPicture> BkPicture::Resampled(SIZE size) const {
    auto picture = std::make_unique<BkPicture>();
    if (IsEmpty() || !picture->Allocate(size))
        return picture;
    ResampleBox(m_bits, m_size, picture->m_bits, size);
    picture->NoteOpacity();
    return picture;
}

std::unique_ptr<BkPicture> BkPicture::Recoloured(COLORREF face, COLORREF ink) const {
    auto picture = std::make_unique<BkPicture>();
    if (IsEmpty() || !picture->Allocate(m_size))
        return picture;
    RecolourTwoTone(m_bits, picture->m_bits, static_cast<size_t>(m_size.cx) * m_size.cy, face, ink);
    picture->NoteOpacity();
    return picture;
}

bool BkPicture::Allocate(SIZE size) {
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    const BITMAPINFO info = DibInfo(size.cx, -size.cy, 32);
    void* bits = nullptr;
    m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_bitmap)
        return false;
    m_bits = static_cast<BYTE*>(bits);
    m_size = size;
    return true;
}

void BkPicture::NoteOpacity() {
    const size_t pixels = static_cast<size_t>(m_size.cx) * m_size.cy;
    m_opaque = true;
    for (size_t i = 0; i < pixels && m_opaque; ++i)
        m_opaque = m_bits[i * 4 + 3] == 255;
}

SIZE EncodedPictureSize(const std::string& bytes) {
    const PngDecoder png = Png(bytes);
    if (png.Header() != PngDecoder::Result::kMalformed)
        return SIZE{static_cast<LONG>(png.Width()), static_cast<LONG>(png.Height())};
    const auto decoded = OpenEncoded(bytes);
    return decoded ? SizeOf(*decoded) : SIZE{0, 0};
}
