#include "toolkit/skins/BkImagePools.h"

#include "platform/ComPtr.h"
#include "platform/GdiplusSession.h"
#include "toolkit/resources/BkResource.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstring>
#include <string>

Gdiplus::Image* DecodeImage(const std::string& bytes) {
    EnsureGdiplusStarted();
    // A block of at least one byte, so that an empty resource still gets a stream (and an
    // image that reports its failure) rather than none.
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(bytes.size(), 1));
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
    // The image keeps its own reference to the stream, which frees the block with its last.
    ComPtr<IStream> stream(opened);
    return new Gdiplus::Image(stream.Get());
}

BkGdiplusImageCache::~BkGdiplusImageCache() {
    Clear();
}

Gdiplus::Image* BkGdiplusImageCache::GetImage(UINT id) {
    const auto found = m_images.find(id);
    if (found != m_images.end())
        return found->second;
    std::string bytes;
    LoadResourceData(static_cast<WORD>(id), m_type, bytes);
    Gdiplus::Image* image = DecodeImage(bytes);
    if (image != nullptr)
        m_images.emplace(id, image);
    return image;
}

void BkGdiplusImageCache::Clear() {
    for (const auto& entry : m_images)
        delete entry.second;
    m_images.clear();
}

BkPngPool::BkPngPool() : BkGdiplusImageCache(L"png") {
    EnsureGdiplusStarted();
}

BkPngPool& BkPngPool::Instance() {
    static BkPngPool* const instance = new BkPngPool;
    return *instance;
}

BkJpgPool::BkJpgPool() : BkGdiplusImageCache(L"jpg") {}

BkJpgPool& BkJpgPool::Instance() {
    static BkJpgPool* const instance = new BkJpgPool;
    return *instance;
}

BkBmpPool& BkBmpPool::Instance() {
    static BkBmpPool* const instance = new BkBmpPool;
    return *instance;
}

HBITMAP BkBmpPool::GetBitmap(UINT id) {
    const auto found = m_bitmaps.find(id);
    if (found != m_bitmaps.end())
        return found->second;
    HBITMAP bitmap = BkResource::Instance().LoadBitmap(static_cast<WORD>(id));
    if (bitmap != nullptr)
        m_bitmaps.emplace(id, bitmap);
    return bitmap;
}

void BkBmpPool::Clear() {
    for (const auto& entry : m_bitmaps)
        ::DeleteObject(entry.second);
    m_bitmaps.clear();
}
