// Prints how long the program's eight pictures take to decode, and one look-up and drawing of
// the body's banner. Chronalign.exe must sit beside it.
#include "bench/BenchTiming.h"
#include "tests/fixtures/DibCanvas.h"
#include "tests/fixtures/ProgramResources.h"
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/BkSkinPool.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>

int main() {
    if (UseProgramResources() == nullptr) {
        std::fprintf(stderr, "Chronalign.exe must sit beside skin_bench.exe\n");
        return 1;
    }
    const UINT pictures[] = {300, 301, 302, 303, 304, 305, 306, 900};
    const double decode = MedianMicroseconds(50, [&] {
        BkPngPool::Instance().Clear();
        for (UINT id : pictures)
            BkPngPool::Instance().GetImage(id)->GetWidth();
    });
    std::printf("decoding the 8 pictures: median %.2f ms (50 runs)\n", decode / 1000);

    // The skins refer to the pool's images: load them again after the clears above.
    UseProgramResources();
    DibCanvas canvas(490, 500);
    const double banner = MedianMicroseconds(500, [&] {
        GetSkin("dlg_banner")->Draw(canvas.Dc(), RECT{0, 30, 489, 495}, 0);
    });
    std::printf("GetSkin + Draw of dlg_banner (489 x 465): median %.0f us (500 runs)\n", banner);
    return 0;
}
