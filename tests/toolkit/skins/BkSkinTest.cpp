// Skins by name, drawn into a DIB and read back pixel by pixel.
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/skins/SkinListLoader.h"

#include "tests/fixtures/Pixels.h"

#include "ToolkitTestResources.h"

#include <gtest/gtest.h>

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
    };
    for (const Case& c : cases) {
        CBkSkinBase* skin = GetSkin(c.skin);
        ASSERT_NE(skin, nullptr) << c.skin;
        DibCanvas canvas(40, 20);
        skin->Draw(canvas.Dc(), c.rect, c.state);
        for (const Probe& p : c.probes)
            EXPECT_TRUE(Near(canvas.Pixel(p.x, p.y), p.color, 8))
                << c.skin << " state " << static_cast<int>(c.state) << " at " << p.x << "," << p.y
                << ": " << std::hex << canvas.Pixel(p.x, p.y);
    }
}

TEST_F(SkinTest, ReportsSizeAndStateUse) {
    struct Case {
        const char* skin;
        SIZE size;
        bool ignoresState;
    };
    const Case cases[] = {
        {"four", {8, 6}, false}, // the first of two definitions
        {"three", {8, 6}, false}, {"strip", {16, 6}, true},        {"missing", {0, 0}, true},
        {"list", {4, 4}, false},  {"list_stretch", {8, 8}, false}, {"horz", {0, 3}, false},
    };
    for (const Case& c : cases) {
        CBkSkinBase* skin = GetSkin(c.skin);
        ASSERT_NE(skin, nullptr) << c.skin;
        const SIZE size = skin->GetSkinSize();
        EXPECT_EQ(size.cx, c.size.cx) << c.skin;
        EXPECT_EQ(size.cy, c.size.cy) << c.skin;
        EXPECT_EQ(skin->IgnoreState(), c.ignoresState) << c.skin;
    }
    // Unknown tags and nameless entries make no skin.
    EXPECT_EQ(GetSkin("bogus"), nullptr);
    EXPECT_EQ(GetSkin(""), nullptr);
}

TEST_F(SkinTest, SharesOneDecodedImagePerSource) {
    GetSkin("strip");
    GetSkin("strip_again");
    Gdiplus::Image* image = BkPngPool::Instance().GetImage(IDP_STRIP);
    EXPECT_EQ(BkPngPool::Instance().GetImage(IDP_STRIP), image);
    // A missing resource is cached as an image that reports nothing.
    EXPECT_NE(BkPngPool::Instance().GetImage(599), nullptr);
    EXPECT_EQ(BkPngPool::Instance().GetImage(599), BkPngPool::Instance().GetImage(599));
}

TEST_F(SkinTest, DrawsPartsOfItsImageStretched) {
    DibCanvas canvas(40, 20);
    // The blue half of the strip over a 30 x 10 area.
    GetSkin("strip")->DrawPart(canvas.Dc(), RECT{5, 5, 35, 15}, RECT{8, 0, 16, 6});
    EXPECT_TRUE(Near(canvas.Pixel(6, 6), kBlue, 8));
    EXPECT_TRUE(Near(canvas.Pixel(34, 14), kBlue, 8));
    EXPECT_EQ(canvas.Pixel(4, 4), kWhite);
}

} // namespace
