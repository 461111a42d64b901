#include "toolkit/resources/BkResource.h"

#include "platform/ComPtr.h"
#include "platform/GdiplusSession.h"
#include "toolkit/resources/ResourceFetch.h"

#include <gdiplus.h>

// The image this code is linked into: the program's own resources, or a test program's.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

HMODULE OwnImage() {
    return reinterpret_cast<HMODULE>(&__ImageBase);
}

// Takes over the provider's stream.
bool FetchFromProvider(IStream* opened, std::string& bytes) {
    ComPtr<IStream> stream(opened);
    return FetchFromStream(stream.Get(), bytes);
}

// A bitmap resource, device-independent and of its own depth, so that 32-bit bitmaps keep
// their alpha on any display.
HBITMAP LoadBitmapResource(HMODULE module, WORD id) {
    return static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

HBITMAP DecodeBitmap(IStream* opened) {
    ComPtr<IStream> stream(opened);
    if (!stream)
        return nullptr;
    EnsureGdiplusStarted();
    Gdiplus::Bitmap decoded(stream.Get());
    HBITMAP bitmap = nullptr;
    if (decoded.GetHBITMAP(Gdiplus::Color(0, 0, 0, 0), &bitmap) != Gdiplus::Ok)
        return nullptr;
    return bitmap;
}

} // namespace

BkResource& BkResource::Instance() {
    // Never destroyed: the toolkit's registries may still use it while the process ends.
    static BkResource* const instance = new BkResource;
    return *instance;
}

bool BkResource::LoadData(WORD id, LPCWSTR type, std::string& bytes) const {
    if (m_provider != nullptr &&
        (FetchFromProvider(m_provider->OpenResource(type, id), bytes) ||
         FetchFromProvider(m_provider->OpenFallbackResource(type, id), bytes)))
        return true;
    if (!m_directory.empty() && FetchFromDirectory(m_directory, id, type, bytes))
        return true;
    if (m_module != nullptr && FetchFromModule(m_module, id, type, bytes))
        return true;
    return FetchFromModule(OwnImage(), id, type, bytes);
}

bool BkResource::LoadDataAll(WORD id, LPCWSTR type, std::vector<std::string>& all) const {
    all.clear();
    std::string bytes;
    if (m_provider != nullptr && FetchFromProvider(m_provider->OpenResource(type, id), bytes))
        all.push_back(std::move(bytes));
    if (!m_directory.empty() && FetchFromDirectory(m_directory, id, type, bytes))
        all.push_back(std::move(bytes));
    if (m_module != nullptr && FetchFromModule(m_module, id, type, bytes))
        all.push_back(std::move(bytes));
    if (FetchFromModule(OwnImage(), id, type, bytes))
        all.push_back(std::move(bytes));
    return !all.empty();
}

HBITMAP BkResource::LoadBitmap(WORD id) const {
    HBITMAP bitmap = nullptr;
    if (m_provider != nullptr && (bitmap = DecodeBitmap(m_provider->OpenResource(L"bmp", id))))
        return bitmap;
    if (!m_directory.empty()) {
        const std::wstring path = m_directory + L"\\" + std::to_wstring(id) + L".bmp";
        bitmap = static_cast<HBITMAP>(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        if (bitmap != nullptr)
            return bitmap;
    }
    if (m_module != nullptr && (bitmap = LoadBitmapResource(m_module, id)))
        return bitmap;
    return LoadBitmapResource(OwnImage(), id);
}

bool LoadResourceData(WORD id, LPCWSTR type, std::string& bytes) {
    return BkResource::Instance().LoadData(id, type, bytes);
}

bool LoadResourceDataAll(WORD id, LPCWSTR type, std::vector<std::string>& all) {
    return BkResource::Instance().LoadDataAll(id, type, all);
}
