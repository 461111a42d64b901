// Prints how long the program's eight pictures take to decode, at 100 % and resampled, and the
// drawing of the body's banner three ways: through GDI+ on every paint as the skins drew before,
// through its skin (a copy, since the banner is opaque) and blended with AlphaBlend from its
// decoded picture. Chronalign.exe must sit beside it.
#include "bench/BenchTiming.h"
#include "platform/GdiplusSession.h"
#include "tests/fixtures/DibCanvas.h"
#include "tests/fixtures/ProgramResources.h"
#include "toolkit/resources/BkResource.h"
#include "toolkit/skins/BitmapBlit.h"
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/BkSkinPool.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr UINT kBanner = 301;
const RECT kBannerRect{0, 30, 489, 495};

double DecodeAll(int dpi) {
    const UINT pictures[] = {300, 301, 302, 303, 304, 305, 306, 900};
    const int subWidths[] = {0, 0, 0, 33, 37, 0, 130, 0};
    return MedianMicroseconds(20, [&] {
        BkPngPool::Instance().Clear();
        for (int i = 0; i < 8; ++i)
            BkPngPool::Instance().GetPicture(pictures[i], dpi, subWidths[i]);
    });
}

// The banner as GDI+ decoded it for the skins before, kept with the stream it reads from.
std::unique_ptr<Gdiplus::Bitmap> GdiplusBanner() {
    EnsureGdiplusStarted();
    std::string bytes;
    LoadResourceData(kBanner, L"png", bytes);
    IStream* stream = ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                          static_cast<UINT>(bytes.size()));
    auto banner = std::make_unique<Gdiplus::Bitmap>(stream);
    stream->Release();
    return banner;
}

} // namespace

int main() {
    if (UseProgramResources() == nullptr) {
        std::fprintf(stderr, "Chronalign.exe must sit beside skin_bench.exe\n");
        return 1;
    }
    std::printf("decoding the 8 pictures at 96 DPI: median %.2f ms (20 runs)\n",
                DecodeAll(96) / 1000);
    std::printf("decoding the 8 pictures at 144 DPI (the 150 %% set): median %.2f ms (20 runs)\n",
                DecodeAll(144) / 1000);
    std::printf("decoding the 8 pictures at 132 DPI (the 150 %% set resampled): median %.2f ms "
                "(20 runs)\n",
                DecodeAll(132) / 1000);

    // The skins refer to the pool's pictures: load them again after the clears above.
    UseProgramResources();
    DibCanvas canvas(490, 500);
    const int w = kBannerRect.right - kBannerRect.left, h = kBannerRect.bottom - kBannerRect.top;

    auto banner = GdiplusBanner();
    const double gdiplus = MedianMicroseconds(500, [&] {
        Gdiplus::Graphics graphics(canvas.Dc());
        Gdiplus::ImageAttributes attributes;
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        graphics.DrawImage(banner.get(), Gdiplus::Rect(kBannerRect.left, kBannerRect.top, w, h), 0,
                           0, w, h, Gdiplus::UnitPixel, &attributes);
    });
    std::printf("dlg_banner (489 x 465) by GDI+ DrawImage, as before: median %.0f us (500 runs)\n",
                gdiplus);

    const double skin =
        MedianMicroseconds(500, [&] { GetSkin("dlg_banner")->Draw(canvas.Dc(), kBannerRect, 0); });
    std::printf("GetSkin + Draw of dlg_banner (opaque: copied): median %.0f us (500 runs)\n", skin);

    const BkPicture& picture = BkPngPool::Instance().GetPicture(kBanner, 96);
    const double blend = MedianMicroseconds(500, [&] {
        BlendPremultiplied(canvas.Dc(), kBannerRect,
                           BlitSource{picture.Bitmap(), RECT{0, 0, w, h}});
    });
    std::printf("dlg_banner's picture by AlphaBlend: median %.0f us (500 runs)\n", blend);
    return 0;
}
