#include "toolkit/skins/BkImagePools.h"

#include "platform/GdiObjects.h"
#include "toolkit/resources/BkResource.h"
#include "toolkit/skins/BitmapBlit.h"
#include "toolkit/skins/PictureSets.h"
#include "toolkit/styles/DisplayScale.h"

const BkPicture& BkPicturePool::GetPicture(UINT id, int dpi, int subWidth) {
    std::unique_ptr<BkPicture>& picture = m_pictures[{id, dpi}];
    if (!picture)
        picture = Fetch(id, dpi, subWidth);
    return *picture;
}

bool BkPicturePool::Load(UINT id, std::string& bytes) const {
    return LoadResourceData(static_cast<WORD>(id), m_type, bytes);
}

std::unique_ptr<BkPicture> BkPicturePool::Fetch(UINT id, int dpi, int subWidth) const {
    // The 100 % picture says whether there is one at all, and its size what the others scale.
    std::string bytes;
    if (!Load(id, bytes) || dpi == kDefaultDpi)
        return BkPicture::Decode(bytes);
    std::string other;
    for (const PictureSet& set : PictureSetsBefore100(id, dpi)) {
        if (!Load(set.id, other))
            continue;
        if (set.dpi == dpi)
            return BkPicture::Decode(other);
        return BkPicture::Decode(other)->Resampled(
            ScaledPictureSize(EncodedPictureSize(bytes), subWidth, dpi));
    }
    const auto picture = BkPicture::Decode(bytes);
    return picture->Resampled(ScaledPictureSize(picture->Size(), subWidth, dpi));
}

BkPngPool::BkPngPool() : BkPicturePool(L"png") {}

BkPngPool& BkPngPool::Instance() {
    static BkPngPool* const instance = new BkPngPool;
    return *instance;
}

BkJpgPool::BkJpgPool() : BkPicturePool(L"jpg") {}

BkJpgPool& BkJpgPool::Instance() {
    static BkJpgPool* const instance = new BkJpgPool;
    return *instance;
}

BkBmpPool& BkBmpPool::Instance() {
    static BkBmpPool* const instance = new BkBmpPool;
    return *instance;
}

HBITMAP BkBmpPool::GetBitmap(UINT id, int dpi, int subWidth) {
    const auto found = m_bitmaps.find({id, dpi});
    if (found != m_bitmaps.end())
        return found->second;
    HBITMAP bitmap = Fetch(id, dpi, subWidth);
    if (bitmap != nullptr)
        m_bitmaps.emplace(std::make_pair(id, dpi), bitmap);
    return bitmap;
}

HBITMAP BkBmpPool::Fetch(UINT id, int dpi, int subWidth) {
    const BkResource& resources = BkResource::Instance();
    ScopedGdiObject<HBITMAP> bitmap(resources.LoadBitmap(static_cast<WORD>(id)));
    if (!bitmap || dpi == kDefaultDpi)
        return bitmap.Release();
    const SIZE wanted = ScaledPictureSize(BitmapSize(bitmap.Get()), subWidth, dpi);
    for (const PictureSet& set : PictureSetsBefore100(id, dpi)) {
        if (HBITMAP other = resources.LoadBitmap(static_cast<WORD>(set.id))) {
            if (set.dpi == dpi)
                return other;
            bitmap.Reset(other);
            break;
        }
    }
    return StretchedBitmap(bitmap.Get(), wanted);
}

void BkBmpPool::Clear() {
    for (const auto& entry : m_bitmaps)
        ::DeleteObject(entry.second);
    m_bitmaps.clear();
}
