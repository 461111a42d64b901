// Prints how long a document of 200 elements takes to load and lay out, and to paint once into
// a 490 x 500 bitmap, in the program's look. Chronalign.exe must sit beside it.
#include "bench/BenchTiming.h"
#include "tests/fixtures/DibCanvas.h"
#include "tests/fixtures/ElementTree.h"
#include "tests/fixtures/ProgramResources.h"

#include <cstdio>
#include <string>

namespace {

// 20 rows, each a "dlg" of 9 elements: 200 elements in all.
std::string TwoHundredElements() {
    std::string xml = "<dlg crbg=\"FFFFFF\">";
    for (int row = 0; row < 20; ++row) {
        const std::string top = std::to_string(row * 24);
        xml += "<dlg pos=\"0," + top + ",-0," + std::to_string(row * 24 + 24) + "\">";
        xml += "<img pos=\"4,4\" skin=\"dlg_ico_logo\"/>";
        xml += "<text class=\"caption\" pos=\"24,2,120,22\">Server time:</text>";
        xml += "<text class=\"value\" pos=\"120,0,260,24\">12/08/26 09:30:00</text>";
        xml += "<text class=\"link\" pos=\"264,4\">Change...</text>";
        xml += "<imgbtn pos=\"330,2\" skin=\"dlg_btn_min\" tip=\"Minimize\"/>";
        xml += "<imgbtn pos=\"366,2\" skin=\"dlg_btn_cls\" tip=\"Close\"/>";
        xml += "<text pos=\"404,4\" crtext=\"FF0000\">N/A</text>";
        xml += "<text pos=\"434,4\">%str10%</text>";
        xml += "<button pos=\"460,2,486,22\">Go</button>";
        xml += "</dlg>";
    }
    return xml + "</dlg>";
}

} // namespace

int main() {
    if (UseProgramResources() == nullptr) {
        std::fprintf(stderr, "Chronalign.exe must sit beside element_bench.exe\n");
        return 1;
    }
    const std::string document = TwoHundredElements();
    const double load = MedianMicroseconds(200, [&] { LoadDialog(document.c_str()); });
    std::printf("load and lay out 200 elements: median %.0f us (200 runs)\n", load);

    auto root = LoadDialog(document.c_str());
    DibCanvas canvas(490, 500);
    const double paint = MedianMicroseconds(200, [&] { root->Redraw(canvas.Dc(), nullptr); });
    std::printf("paint 200 elements into 490 x 500: median %.0f us (200 runs)\n", paint);
    return 0;
}
