// Skins by name, drawn into a DIB and read back pixel by pixel: the tests' own, and the
// program's as it ships.
#include "platform/GdiplusSession.h"
#include "toolkit/controls/BkImageWnd.h"
#include "toolkit/frame/BkShadowWnd.h"
#include "toolkit/resources/BkResource.h"
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/skins/PictureDrawing.h"
#include "toolkit/skins/PngDecoder.h"
#include "toolkit/skins/SkinListLoader.h"
#include "toolkit/styles/DisplayScale.h"

#include "tests/fixtures/ElementTree.h"
#include "tests/fixtures/Pixels.h"
#include "tests/fixtures/ProgramResources.h"

#include "ToolkitTestResources.h"

#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr DWORD kNone = static_cast<DWORD>(-1);

struct Probe {
    int x, y;
    COLORREF color;
};

class SkinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        BkPngPool::Instance().Clear();
        BkBmpPool::Instance().Clear();
        BkJpgPool::Instance().Clear();
        ASSERT_TRUE(LoadSkins(IDR_TEST_SKINS));
    }
};

TEST_F(SkinTest, DrawsWhatItsTypeAndStateSay) {
    struct Case {
        const char* skin;
        RECT rect;
        DWORD state;
        std::vector<Probe> probes;
        int dpi = kDefaultDpi;
    };
    const Case cases[] = {
        // One sub-image, state mod n, at natural size from the corner of a larger rect.
        {"four", {0, 0, 40, 20}, 3, {{4, 3, kYellow}, {12, 3, kWhite}, {4, 10, kWhite}}},
        {"four", {0, 0, 40, 20}, 1, {{4, 3, kGreen}}},
        {"three", {0, 0, 40, 20}, 3, {{4, 3, kRed}}},
        {"three", {0, 0, 40, 20}, kNone, {{4, 3, kRed}}},   // 4294967295 mod 3
        {"four", {0, 0, 40, 20}, kNone, {{4, 3, kYellow}}}, // 4294967295 mod 4
        // Uncut: cut at a narrower rect, stretched only horizontally in a wider, taller one.
        {"strip", {0, 0, 8, 6}, 0, {{4, 3, kRed}, {12, 3, kWhite}}},
        {"strip", {0, 0, 32, 12}, 0, {{5, 3, kRed}, {27, 3, kBlue}, {5, 9, kWhite}}},
        // Transparency is honoured.
        {"clear", {0, 0, 8, 4}, 0, {{1, 1, kWhite}, {6, 1, kGreen}}},
        // "jpg" takes the state as the index: 5 is past the image and draws nothing.
        {"jpg_four", {0, 0, 40, 20}, 2, {{4, 3, kBlue}}},
        {"jpg_four", {0, 0, 40, 20}, 5, {{4, 3, kWhite}}},
        {"missing", {0, 0, 40, 20}, 0, {{4, 3, kWhite}}},
        // Bitmaps: copied, keyed, blended by alpha, stretched.
        {"list", {0, 0, 40, 20}, 2, {{1, 1, kBlue}, {5, 1, kWhite}}},
        {"list", {0, 0, 40, 20}, kNone, {{1, 1, kRed}, {5, 1, kMagenta}, {9, 1, kBlue}}},
        {"list_key", {0, 0, 40, 20}, kNone, {{1, 1, kRed}, {5, 1, kWhite}, {9, 1, kBlue}}},
        {"list_alpha",
         {0, 0, 40, 20},
         kNone,
         {{1, 1, kRed}, {5, 1, kWhite}, {9, 1, RGB(127, 127, 255)}}},
        {"list_stretch", {0, 0, 40, 20}, 0, {{7, 7, kRed}, {9, 1, kWhite}}},
        // Nine parts: corners, stretched edges, the centre in "crbg".
        {"frame",
         {0, 0, 20, 12},
         0,
         {{0, 0, kRed},
          {19, 0, kRed},
          {0, 11, kRed},
          {19, 11, kRed},
          {10, 0, kBlue},
          {10, 11, kBlue},
          {0, 6, kBlue},
          {19, 6, kBlue},
          {10, 6, kYellow}}},
        // Three horizontal parts; the hover bit picks the second sub-image.
        {"horz", {0, 0, 20, 3}, 0, {{0, 1, kRed}, {10, 1, kGreen}, {19, 1, kBlue}}},
        {"horz", {0, 0, 20, 3}, 1, {{0, 1, kYellow}, {10, 1, kWhite}, {19, 1, kBlack}}},
        // State -1 is index -1: its sub-image offset lies before the bitmap.
        {"horz", {0, 0, 20, 3}, kNone, {{0, 1, kWhite}, {10, 1, kWhite}, {19, 1, kWhite}}},
        // Border, background and a face that the disabled bit leaves out.
        {"button",
         {0, 0, 20, 20},
         0,
         {{0, 0, RGB(0x70, 0x70, 0x70)},
          {1, 1, RGB(0xEE, 0xEE, 0xEE)},
          {10, 17, RGB(0xD7, 0xD7, 0xD7)}}},
        {"button", {0, 0, 20, 20}, 16, {{10, 17, RGB(0xEE, 0xEE, 0xEE)}}},
        {"button", {0, 0, 20, 20}, 2, {{10, 3, RGB(0xCD, 0xCD, 0xCD)}}},
        {"gradient", {0, 0, 20, 4}, 0, {{0, 1, kBlack}, {19, 1, RGB(242, 242, 242)}}},
        // A gradient longer than the rect is cut at its edge, not squeezed into it.
        {"gradient_long", {0, 0, 20, 4}, 0, {{0, 1, kBlack}, {19, 1, RGB(121, 121, 121)}}},
        // Other scales: the picture of the nearest set at or above (red 100 %, green 150 %,
        // blue 200 %), else of the largest, resampled to the 100 % size at the DPI.
        {"sets", {0, 0, 8, 20}, 0, {{7, 5, kRed}, {7, 6, kWhite}}},
        {"sets", {0, 0, 10, 20}, 0, {{9, 7, kGreen}, {9, 8, kWhite}}, 120},
        {"sets", {0, 0, 14, 20}, 0, {{13, 10, kBlue}, {13, 11, kWhite}}, 168},
        // Sub-images and bitmaps scale, and the key colour stays exact.
        {"four", {0, 0, 40, 20}, 1, {{0, 8, kGreen}, {11, 8, kGreen}, {12, 8, kWhite}}, 144},
        {"list_key",
         {0, 0, 40, 20},
         kNone,
         {{5, 5, kRed}, {6, 5, kWhite}, {11, 0, kWhite}, {12, 5, kBlue}, {18, 5, kWhite}},
         144},
    };
    for (const Case& c : cases) {
        CBkSkinBase* skin = GetSkin(c.skin);
        ASSERT_NE(skin, nullptr) << c.skin;
        const DpiScope scale(c.dpi);
        DibCanvas canvas(40, 20);
        skin->Draw(canvas.Dc(), c.rect, c.state);
        for (const Probe& p : c.probes)
            EXPECT_TRUE(Near(canvas.Pixel(p.x, p.y), p.color, 8))
                << c.skin << " state " << static_cast<int>(c.state) << " at " << c.dpi << " DPI at "
                << p.x << "," << p.y << ": " << std::hex << canvas.Pixel(p.x, p.y);
    }
}

TEST_F(SkinTest, ReportsSizeAndStateUse) {
    struct Case {
        const char* skin;
        SIZE size;
        bool ignoresState;
        int dpi = kDefaultDpi;
    };
    const Case cases[] = {
        {"four", {8, 6}, false}, // the first of two definitions
        {"three", {8, 6}, false},        {"strip", {16, 6}, true},
        {"missing", {0, 0}, true},       {"list", {4, 4}, false},
        {"list_stretch", {8, 8}, false}, {"horz", {0, 3}, false},
        {"button", {0, 0}, true},        {"sets", {10, 8}, true, 120},
        {"sets", {14, 11}, true, 168},   {"sets", {20, 15}, true, 240},
        {"four", {12, 9}, false, 144},   {"missing", {0, 0}, true, 144},
        {"list", {6, 6}, false, 144},    {"list_stretch", {12, 12}, false, 144},
        {"horz", {0, 5}, false, 144},
    };
    for (const Case& c : cases) {
        CBkSkinBase* skin = GetSkin(c.skin);
        ASSERT_NE(skin, nullptr) << c.skin;
        const DpiScope scale(c.dpi);
        const SIZE size = skin->GetSkinSize();
        EXPECT_EQ(size.cx, c.size.cx) << c.skin << " at " << c.dpi;
        EXPECT_EQ(size.cy, c.size.cy) << c.skin << " at " << c.dpi;
        EXPECT_EQ(skin->IgnoreState(), c.ignoresState) << c.skin;
    }
    // Unknown tags and nameless entries make no skin.
    EXPECT_EQ(GetSkin("bogus"), nullptr);
    EXPECT_EQ(GetSkin(""), nullptr);
}

TEST_F(SkinTest, SharesOneDecodedPicturePerSourceAndScale) {
    GetSkin("strip");
    GetSkin("strip_again");
    BkPngPool& pool = BkPngPool::Instance();
    const BkPicture* picture = &pool.GetPicture(IDP_STRIP, 96);
    EXPECT_EQ(&pool.GetPicture(IDP_STRIP, 96), picture);
    const BkPicture* larger = &pool.GetPicture(IDP_STRIP, 144);
    EXPECT_EQ(&pool.GetPicture(IDP_STRIP, 144), larger);
    EXPECT_NE(larger, picture);
    // A missing resource is cached as a picture that reports nothing.
    const BkPicture& missing = BkPngPool::Instance().GetPicture(599, 96);
    EXPECT_TRUE(missing.IsEmpty());
    EXPECT_EQ(&BkPngPool::Instance().GetPicture(599, 96), &missing);
}

TEST_F(SkinTest, DrawsPartsOfItsImageStretched) {
    DibCanvas canvas(40, 20);
    // The blue half of the strip over a 30 x 10 area.
    GetSkin("strip")->DrawPart(canvas.Dc(), RECT{5, 5, 35, 15}, RECT{8, 0, 16, 6});
    EXPECT_TRUE(Near(canvas.Pixel(6, 6), kBlue, 8));
    EXPECT_TRUE(Near(canvas.Pixel(34, 14), kBlue, 8));
    EXPECT_EQ(canvas.Pixel(4, 4), kWhite);
}

// Under a high-contrast theme (window green, caption blue, button face yellow, highlight red,
// their inks black): pictures without a role are not drawn, those with one fill their area
// with its face, skins of colours alone take the window's colours.
TEST_F(SkinTest, DrawsTheRolesColoursUnderAHighContrastTheme) {
    ContrastTheme theme;
    theme.on = true;
    theme.colors[COLOR_WINDOW] = kGreen;
    theme.colors[COLOR_ACTIVECAPTION] = kBlue;
    theme.colors[COLOR_BTNFACE] = kYellow;
    theme.colors[COLOR_HIGHLIGHT] = kRed;
    SetContrastThemeReader([&theme](ContrastTheme& read) { read = theme; });
    RefreshHighContrast();
    struct Case {
        const char* skin;
        DWORD state;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"four", 1, {{4, 3, kWhite}}},
        {"list", 2, {{1, 1, kWhite}}},
        {"frame", 0, {{0, 0, kGreen}, {10, 6, kGreen}}}, // its centre colour, not its pictures
        {"four_caption", 0, {{4, 3, kBlue}, {7, 5, kBlue}, {8, 3, kWhite}, {4, 6, kWhite}}},
        {"four_caption", 1, {{4, 3, kRed}}},
        {"four_caption", 3, {{4, 3, kBlue}}},
        {"strip_window", 0, {{30, 3, kGreen}, {30, 6, kWhite}}}, // the rect's width, its height
        {"list_button", 2, {{1, 1, kRed}, {4, 1, kWhite}}},
        {"list_button", 0, {{1, 1, kYellow}}},
        {"button", 0, {{0, 0, kBlack}, {10, 10, kGreen}}},
        {"button", 2, {{10, 10, kRed}}},
        {"gradient", 0, {{0, 1, kGreen}, {19, 1, kGreen}}},
    };
    for (const Case& c : cases) {
        DibCanvas canvas(40, 20);
        GetSkin(c.skin)->Draw(canvas.Dc(), RECT{0, 0, 40, 20}, c.state);
        for (const Probe& p : c.probes)
            EXPECT_EQ(canvas.Pixel(p.x, p.y), p.color)
                << c.skin << " state " << c.state << " at " << p.x << "," << p.y;
    }
    // The shadow's pieces are not drawn either.
    DibCanvas canvas(40, 20);
    GetSkin("strip")->DrawPart(canvas.Dc(), RECT{5, 5, 35, 15}, RECT{8, 0, 16, 6});
    EXPECT_EQ(canvas.Pixel(6, 6), kWhite);
    SetContrastThemeReader(nullptr);
    RefreshHighContrast();
}

// The program's skin list and pictures, read from Chronalign.exe beside the tests.
class ShippedSkinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(UseProgramResources(false), nullptr); }
    static void TearDownTestSuite() {
        // The other suites read their documents from the test program again.
        BkResource::Instance().SetResourceModule(nullptr);
        BkPngPool::Instance().Clear();
        LoadSkins(IDR_TEST_SKINS);
    }

    // The picture as its PNG holds it, decoded here rather than by the pools.
    static std::unique_ptr<Gdiplus::Bitmap> Picture(WORD id) {
        EnsureGdiplusStarted();
        std::string bytes;
        if (!LoadResourceData(id, L"png", bytes))
            return nullptr;
        IStream* stream = ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                              static_cast<UINT>(bytes.size()));
        auto picture = std::make_unique<Gdiplus::Bitmap>(stream);
        stream->Release();
        return picture;
    }

    // The picture's pixel laid over the canvas's background, which no picture shows, so that
    // transparent and white parts of a picture tell apart too.
    static COLORREF OverBackground(Gdiplus::Bitmap& picture, int x, int y) {
        Gdiplus::Color color;
        picture.GetPixel(x, y, &color);
        const auto mix = [&](BYTE channel, BYTE under) {
            return static_cast<BYTE>((channel * color.GetA() + under * (255 - color.GetA())) / 255);
        };
        return RGB(mix(color.GetR(), GetRValue(kBackground)),
                   mix(color.GetG(), GetGValue(kBackground)),
                   mix(color.GetB(), GetBValue(kBackground)));
    }

    // How many pixels of the canvas's w x h corner differ from the picture's from (left, 0).
    static int Mismatches(const DibCanvas& canvas, Gdiplus::Bitmap& picture, int left, int w,
                          int h) {
        int mismatches = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                mismatches += !Near(canvas.Pixel(x, y), OverBackground(picture, left + x, y), 2);
        }
        return mismatches;
    }

    static constexpr COLORREF kBackground = RGB(0xC0, 0x40, 0x80);
};

// Every picture the program ships, at every scale, decoded by the toolkit itself as GDI+ does.
TEST_F(ShippedSkinTest, DecodesEveryPictureAsGdiplusDoes) {
    for (WORD base : {300, 301, 302, 303, 304, 305, 306, 900, 310, 311, 312, 313}) {
        for (WORD set = 0; set < 5; ++set) {
            const WORD id = base + set * IDB_SCALE_STEP;
            std::string bytes;
            ASSERT_TRUE(LoadResourceData(id, L"png", bytes)) << id;
            const PngDecoder decoder(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ASSERT_EQ(decoder.Header(), PngDecoder::Result::kDecoded) << id; // not GDI+'s
            const auto ours = BkPicture::Decode(bytes);
            const SIZE size = ours->Size();
            DibCanvas canvas(size.cx, size.cy, kBackground);
            DrawImagePart(canvas.Dc(), *ours, RECT{0, 0, size.cx, size.cy},
                          RECT{0, 0, size.cx, size.cy});
            EXPECT_EQ(Mismatches(canvas, *Picture(id), 0, size.cx, size.cy), 0) << id;
        }
    }
}

// At 144 DPI the pixels are those of the 150 % set as the build drew it, not resampled ones.
TEST_F(ShippedSkinTest, DrawsTheSubImageOfTheIndexModuloTheirCount) {
    struct Case {
        const char* skin;
        WORD source;
        DWORD index;
        int subWidth;
        int subImage;
        int dpi = kDefaultDpi;
    };
    const Case cases[] = {
        {"dlg_btn_sync", IDB_SYNC, 3, 130, 3}, // four: disabled
        {"dlg_btn_sync", IDB_SYNC, 1, 130, 1},
        {"dlg_btn_min", IDB_MINIMISE, 3, 33, 0}, // three: 3 mod 3
        {"dlg_btn_min", IDB_MINIMISE, 2, 33, 2},
        {"dlg_btn_sync", IDB_SYNC + 2 * IDB_SCALE_STEP, 1, 195, 1, 144},
        {"dlg_btn_min", IDB_MINIMISE + 2 * IDB_SCALE_STEP, 5, 50, 2, 144},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.skin << " index " << c.index << " at " << c.dpi);
        const DpiScope scale(c.dpi);
        CBkSkinBase* skin = GetSkin(c.skin);
        auto picture = Picture(c.source);
        ASSERT_NE(skin, nullptr);
        ASSERT_NE(picture, nullptr);
        const int h = static_cast<int>(picture->GetHeight());
        DibCanvas canvas(c.subWidth + 20, h + 20, kBackground);
        skin->Draw(canvas.Dc(), RECT{0, 0, c.subWidth + 20, h + 20}, c.index);
        EXPECT_EQ(Mismatches(canvas, *picture, c.subImage * c.subWidth, c.subWidth, h), 0);
        // At natural size from the corner, whatever the rect.
        EXPECT_EQ(CountColor(canvas, {c.subWidth, 0, c.subWidth + 20, h + 20}, kBackground),
                  20 * (h + 20));
        EXPECT_EQ(CountColor(canvas, {0, h, c.subWidth, h + 20}, kBackground), 20 * c.subWidth);
    }
}

TEST_F(ShippedSkinTest, StretchesTheHeaderOnlyWiderAndCutsItNarrower) {
    CBkSkinBase* header = GetSkin("dlg_head");
    auto picture = Picture(IDB_HEADER);
    ASSERT_NE(header, nullptr);
    ASSERT_NE(picture, nullptr);
    for (const int width : {600, 400}) {
        SCOPED_TRACE(width);
        DibCanvas canvas(700, 60, kBackground);
        header->Draw(canvas.Dc(), RECT{0, 0, width, 60}, 0);
        // The bar's rows are plain: each column of the rect shows the picture's column 0.
        int mismatches = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < width; x += 7)
                mismatches += !Near(canvas.Pixel(x, y), OverBackground(*picture, 0, y), 2);
        }
        EXPECT_EQ(mismatches, 0);
        EXPECT_EQ(CountColor(canvas, {width, 0, 700, 60}, kBackground), (700 - width) * 60);
        EXPECT_EQ(CountColor(canvas, {0, 30, width, 60}, kBackground), width * 30); // not taller
    }
}

TEST_F(ShippedSkinTest, ReportsTheSizesOfTheirPictures) {
    struct Case {
        const char* skin;
        SIZE size;
        bool ignoresState;
        int dpi = kDefaultDpi;
    };
    const Case cases[] = {
        {"dlg_btn_cls", {37, 20}, false},         {"dlg_banner", {489, 465}, true},
        {"dlg_btn_min", {33, 20}, false},         {"dlg_head", {490, 30}, true},
        {"dlg_btn_cls", {56, 30}, false, 144},    {"dlg_banner", {611, 581}, true, 120},
        {"dlg_btn_sync", {179, 179}, false, 132},
    };
    for (const Case& c : cases) {
        CBkSkinBase* skin = GetSkin(c.skin);
        ASSERT_NE(skin, nullptr) << c.skin;
        const DpiScope scale(c.dpi);
        EXPECT_EQ(skin->GetSkinSize().cx, c.size.cx) << c.skin << " at " << c.dpi;
        EXPECT_EQ(skin->GetSkinSize().cy, c.size.cy) << c.skin << " at " << c.dpi;
        EXPECT_EQ(skin->IgnoreState(), c.ignoresState) << c.skin;
    }
    // Resampled by whole sub-images: 4 x 179, where the whole width would round to 715.
    const SIZE sync = BkPngPool::Instance().GetPicture(IDB_SYNC, 132, 130).Size();
    EXPECT_EQ(sync.cx, 716);
    EXPECT_EQ(sync.cy, 179);
}

// Blended into a clear bitmap, as the shadow window's, the pieces leave the picture's own
// alpha there; the middle stays clear.
TEST_F(ShippedSkinTest, TheShadowKeepsItsAlphaInAClearBitmap) {
    CBkSkinBase* shadow = GetSkin("dlg_shadow");
    auto picture = Picture(IDB_SHADOW);
    ASSERT_NE(shadow, nullptr);
    ASSERT_NE(picture, nullptr);
    DibCanvas canvas(60, 40, kBlack);
    DrawShadowPieces(canvas.Dc(), *shadow, 60, 40);
    int mismatches = 0;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            Gdiplus::Color color;
            picture->GetPixel(x, y, &color);
            mismatches += std::abs(canvas.Alpha(x, y) - color.GetA()) > 2;
            picture->GetPixel(19 - x, 19 - y, &color);
            mismatches += std::abs(canvas.Alpha(59 - x, 39 - y) - color.GetA()) > 2;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(canvas.Alpha(30, 0), 0);
    EXPECT_EQ(canvas.Alpha(30, 20), 0);
}

TEST_F(ShippedSkinTest, TheMinimiseButtonShowsTheSubImageOfItsState) {
    auto header = LoadDialog(R"(<dlg><imgbtn id="1" pos="-75,0" skin="dlg_btn_min"/></dlg>)",
                             RECT{0, 0, 490, 30});
    auto picture = Picture(IDB_MINIMISE);
    ASSERT_NE(header, nullptr);
    ASSERT_NE(picture, nullptr);
    CBkWindow* button = header->FindChildById(1);
    const RECT& rect = button->GetRect();
    EXPECT_EQ(rect.left, 415);
    EXPECT_EQ(rect.right - rect.left, 33);
    EXPECT_EQ(rect.bottom - rect.top, 20);
    const struct {
        DWORD state;
        int subImage;
    } cases[] = {{0, 0}, {kStateHover, 1}, {kStateHover | kStatePushed, 2}};
    for (const auto& c : cases) {
        button->ModifyState(0, kStateHover | kStatePushed);
        button->ModifyState(c.state, 0);
        DibCanvas canvas(33, 20, kBackground);
        ::SetViewportOrgEx(canvas.Dc(), -rect.left, -rect.top, nullptr);
        header->Redraw(canvas.Dc(), nullptr);
        ::SetViewportOrgEx(canvas.Dc(), 0, 0, nullptr);
        EXPECT_EQ(Mismatches(canvas, *picture, c.subImage * 33, 33, 20), 0) << c.state;
    }
}

} // namespace
