// Process-wide caches of decoded pictures and bitmaps, by resource id and display scale. Each is
// created on first use and never destroyed; skins hold plain references to what they cache.
//
// A picture wanted at a DPI comes from the nearest set at or above it that the resources have,
// else from the largest (PictureSets.h), decoded once and, when the set is drawn at another
// scale, resampled once to the 100 % picture's size at that DPI. `subWidth`, the 96-DPI width
// of the picture's sub-images (0: uncut), makes it scale by whole sub-images; the first fetch
// of an id at a DPI decides. At 96 DPI the 100 % picture is used as it is.
#pragma once

#include "toolkit/skins/BkPicture.h"

#include <windows.h>

#include <map>
#include <memory>
#include <utility>

// Pictures of one resource type.
class BkPicturePool {
public:
    explicit BkPicturePool(const wchar_t* type) : m_type(type) {}
    BkPicturePool(const BkPicturePool&) = delete;
    BkPicturePool& operator=(const BkPicturePool&) = delete;

    // The cached picture, else fetched. A picture whose 100 % resource is missing or
    // undecodable is cached too, empty: it reports 0 x 0 and draws nothing.
    const BkPicture& GetPicture(UINT id, int dpi, int subWidth = 0);
    // Deletes every picture; references held by skins become invalid.
    void Clear() { m_pictures.clear(); }

private:
    std::unique_ptr<BkPicture> Fetch(UINT id, int dpi, int subWidth) const;
    bool Load(UINT id, std::string& bytes) const;

    const wchar_t* m_type;
    std::map<std::pair<UINT, int>, std::unique_ptr<BkPicture>> m_pictures;
};

// "png" resources, decoded by the toolkit itself where it can (PngDecoder.h): GDI+ starts only
// for what it cannot.
class BkPngPool : public BkPicturePool {
public:
    static BkPngPool& Instance();

private:
    BkPngPool();
};

// "jpg" resources.
class BkJpgPool : public BkPicturePool {
public:
    static BkJpgPool& Instance();

private:
    BkJpgPool();
};

// Bitmap resources, resampled to the nearest pixel so that key colours and alpha stay exact.
class BkBmpPool {
public:
    static BkBmpPool& Instance();

    // The cached bitmap, else loaded (null, and nothing cached, when there is none).
    HBITMAP GetBitmap(UINT id, int dpi, int subWidth = 0);
    void Clear();

private:
    BkBmpPool() = default;

    static HBITMAP Fetch(UINT id, int dpi, int subWidth);

    std::map<std::pair<UINT, int>, HBITMAP> m_bitmaps;
};
