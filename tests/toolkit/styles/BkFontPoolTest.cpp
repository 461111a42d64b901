// The font pool: one font per font code, all derived from the default font.
#include "toolkit/styles/BkFontPool.h"

#include "tests/fixtures/ScratchKey.h"

#include "platform/RegKey.h"

#include <gtest/gtest.h>

namespace {

LOGFONTW LogFontOf(HFONT font) {
    LOGFONTW logFont{};
    ::GetObjectW(font, sizeof logFont, &logFont);
    return logFont;
}

TEST(BkFontPool, MakesOneFontPerCode) {
    BkFontPool& pool = BkFontPool::Instance();
    HFONT defaultFont = pool.GetFont(0);
    ASSERT_NE(defaultFont, nullptr);
    EXPECT_EQ(LogFontOf(defaultFont).lfHeight, -12);

    HFONT underlined = pool.GetFont(0x0002);
    EXPECT_EQ(pool.GetFont(0x0002), underlined);
    EXPECT_NE(underlined, defaultFont);
    EXPECT_EQ(pool.GetFont(0), defaultFont);

    struct Case {
        WORD code;
        LONG height;
        LONG weight;
        BYTE italic;
        BYTE underline;
    };
    const Case cases[] = {
        {0x0002, -12, FW_NORMAL, 0, 1}, {0x0004, -12, FW_BOLD, 0, 0},
        {0x0001, -12, FW_NORMAL, 1, 0}, {0x0300, -15, FW_NORMAL, 0, 0},
        {0xFF00, -11, FW_NORMAL, 0, 0}, {0x0104, -13, FW_BOLD, 0, 0},
    };
    for (const Case& c : cases) {
        const LOGFONTW logFont = LogFontOf(pool.GetFont(c.code));
        EXPECT_EQ(logFont.lfHeight, c.height) << std::hex << c.code;
        EXPECT_EQ(logFont.lfWeight, c.weight) << std::hex << c.code;
        EXPECT_EQ(logFont.lfItalic, c.italic) << std::hex << c.code;
        EXPECT_EQ(logFont.lfUnderline, c.underline) << std::hex << c.code;
    }
    EXPECT_EQ(pool.GetSizeDelta(pool.GetFont(0x0300)), 3);
    EXPECT_EQ(pool.GetDefaultHeight(), 12);
}

TEST(BkFontPool, MakesEachFontAgainAtTheViewsScale) {
    BkFontPool& pool = BkFontPool::Instance();
    struct Case {
        WORD code;
        int dpi;
        LONG height;
    };
    // The 96-DPI height scaled, halves away from zero: -13 at 144 is -19.5.
    const Case cases[] = {{0x0000, 144, -18},
                          {0x0104, 144, -20},
                          {0x0104, 120, -16},
                          {0xFF00, 192, -22},
                          {0x0002, 168, -21}};
    for (const Case& c : cases) {
        HFONT base = pool.GetFont(c.code);
        HFONT scaled = pool.AtDpi(base, c.dpi);
        const LOGFONTW logFont = LogFontOf(scaled);
        EXPECT_EQ(logFont.lfHeight, c.height) << std::hex << c.code << std::dec << " " << c.dpi;
        EXPECT_EQ(logFont.lfWeight, LogFontOf(base).lfWeight);
        EXPECT_EQ(logFont.lfUnderline, LogFontOf(base).lfUnderline);
        EXPECT_EQ(pool.AtDpi(base, c.dpi), scaled);
        // Its size change is the code's, whatever the scale.
        EXPECT_EQ(pool.GetSizeDelta(scaled), pool.GetSizeDelta(base));
    }
    EXPECT_EQ(pool.AtDpi(pool.GetFont(0x0104), 96), pool.GetFont(0x0104));
}

TEST(BkFontPool, ChoosesTheFaceByTheRegisteredFonts) {
    struct Case {
        std::vector<const wchar_t*> registered;
        const wchar_t* face;
    };
    const Case cases[] = {
        {{L"SimSun & NSimSun (TrueType)"}, L"SimSun"},
        {{L"SimSun & NSimSun (TrueType)", L"Microsoft YaHei (TrueType)"}, L"Microsoft YaHei"},
        {{L"Microsoft YaHei (TrueType) & Microsoft YaHei UI (TrueType)"}, L"Microsoft YaHei"},
        // The name from Windows 8 on, beside SimSun, which must not win.
        {{L"Microsoft YaHei & Microsoft YaHei UI (TrueType)", L"SimSun & NSimSun (TrueType)"},
         L"Microsoft YaHei"},
        {{L"\u5B8B\u4F53 & \u65B0\u5B8B\u4F53 (TrueType)", L"\u5FAE\u8F6F\u96C5\u9ED1 (TrueType)"},
         L"\u5FAE\u8F6F\u96C5\u9ED1"},
        // Other fonts leave the face at SimSun's Chinese name.
        {{L"Microsoft YaHei UI (TrueType)", L"SimSun-ExtB (TrueType)"}, L"\u5B8B\u4F53"},
    };
    for (const Case& c : cases) {
        ScratchKey scratch;
        for (const wchar_t* name : c.registered)
            ASSERT_TRUE(scratch.SetString(L"", name, L"font.ttc"));
        ATL::CRegKey fonts;
        ASSERT_EQ(fonts.Open(scratch.Root(), scratch.Path().c_str(), KEY_READ), ERROR_SUCCESS);
        EXPECT_EQ(ChooseDefaultFace(fonts), c.face) << c.registered.front();
    }
}

TEST(BkFontPool, SmoothsSimSunAndClearTypesYaHei) {
    BkFontPool& pool = BkFontPool::Instance();
    std::wstring face;
    LONG height = 0;
    pool.GetDefaultFace(face, height);

    pool.SetDefaultFont(L"SimSun", -12);
    EXPECT_EQ(LogFontOf(pool.GetFont(0)).lfQuality, ANTIALIASED_QUALITY);
    EXPECT_FALSE(pool.IsYaHeiDefault());
    pool.SetDefaultFont(L"Microsoft YaHei", -12);
    EXPECT_EQ(LogFontOf(pool.GetFont(0)).lfQuality, CLEARTYPE_QUALITY);
    EXPECT_TRUE(pool.IsYaHeiDefault());
    EXPECT_EQ(std::wstring(LogFontOf(pool.GetFont(0)).lfFaceName), L"Microsoft YaHei");

    pool.SetDefaultFont(face, height);
}

} // namespace
