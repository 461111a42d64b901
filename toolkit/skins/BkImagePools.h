// Process-wide caches of decoded images, by resource id. Each is created on first use and
// never destroyed; skins hold plain references to what they cache.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace Gdiplus {
class Image;
}

// GDI+ images of one resource type, decoded once each.
class BkGdiplusImageCache {
public:
    explicit BkGdiplusImageCache(const wchar_t* type) : m_type(type) {}
    BkGdiplusImageCache(const BkGdiplusImageCache&) = delete;
    BkGdiplusImageCache& operator=(const BkGdiplusImageCache&) = delete;
    ~BkGdiplusImageCache();

    // The cached image, else fetched and decoded. An image whose resource is missing or
    // undecodable is cached too: it reports 0 x 0 and draws nothing. Null only when no
    // memory stream could be made.
    Gdiplus::Image* GetImage(UINT id);
    // Deletes every image; references held by skins become invalid.
    void Clear();

private:
    const wchar_t* m_type;
    std::map<UINT, Gdiplus::Image*> m_images;
};

// "png" resources. Creating it starts GDI+ for the rest of the process.
class BkPngPool : public BkGdiplusImageCache {
public:
    static BkPngPool& Instance();

private:
    BkPngPool();
};

// "jpg" resources.
class BkJpgPool : public BkGdiplusImageCache {
public:
    static BkJpgPool& Instance();

private:
    BkJpgPool();
};

// Bitmap resources.
class BkBmpPool {
public:
    static BkBmpPool& Instance();

    // The cached bitmap, else loaded (null, and nothing cached, when there is none).
    HBITMAP GetBitmap(UINT id);
    void Clear();

private:
    BkBmpPool() = default;

    std::map<UINT, HBITMAP> m_bitmaps;
};

// Decodes image bytes with GDI+ from a memory stream that owns its copy of the bytes, so the
// image may read from it as long as it lives. Null when the stream cannot be made.
Gdiplus::Image* DecodeImage(const std::string& bytes);
